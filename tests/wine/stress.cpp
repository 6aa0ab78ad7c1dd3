#include "stress.h"

#include <cstdio>

#include "cases.h"

namespace {

// The longest command line CreateProcessA takes: 32,767 characters with
// the terminating null.
constexpr std::size_t LongestCommandLine = 32766;
// The runs in a row that must alternate between apply and restore.
constexpr int RunsInARow = 200;

// A command line of the longest length: one opacity switch whose value, 123,
// stands behind all the leading zeros that fit.
std::string LongestLine() {
    const std::string head = "layerbar.exe -a:";
    const std::string value = "123";
    return head + std::string(LongestCommandLine - head.size() - value.size(), '0') + value;
}

// Every byte from 0x01 to 0xFF in order, but for those given.
std::string EveryByte(const std::string& but = "") {
    std::string bytes;
    for (int b = 0x01; b <= 0xFF; ++b) {
        if (but.find(static_cast<char>(b)) == std::string::npos) {
            bytes += static_cast<char>(b);
        }
    }
    return bytes;
}

// Cases of a single kind of run, each checked as the other cases are.
std::vector<Case> StressCases() {
    return {
        {"the longest command line",
         {LongestLine()},
         Plain,
         Plain,
         Translucent(DefaultKey, 123, 2),
         Plain},
        {"every byte, quoted into one argument",
         {"layerbar.exe -a:77 \"" + EveryByte("\"") + "\""},
         Plain,
         Plain,
         Translucent(DefaultKey, 77, 2),
         Plain},
        {"every byte, as it comes",
         {"layerbar.exe -a:77 " + EveryByte()},
         Plain,
         Plain,
         Translucent(DefaultKey, 77, 2),
         Plain},
        {"every byte as an opacity value",
         {"layerbar.exe -a:77 \"-a:" + EveryByte("\"") + "\""},
         Plain,
         Plain,
         Translucent(DefaultKey, 255, 2),
         Plain},
        {"every byte as a colour value",
         {"layerbar.exe c#0000ff \"c#" + EveryByte("\"") + "\""},
         Plain,
         Plain,
         Translucent(0xFFFFFFFF, 224, 1),
         Plain},
        {"a quote left open at the end",
         {"layerbar.exe \"-a:50"},
         Plain,
         Plain,
         Translucent(DefaultKey, 50, 2),
         Plain},
        {"a lone quote at the end",
         {"layerbar.exe s60 \""},
         Plain,
         Plain,
         Plain,
         Translucent(0, 60, 2)},
    };
}

// The same switches many times in a row: every run must flip both windows,
// exit with 0 and leave every other window alone.
std::string RunsAlternate(const std::string& exePath) {
    const Staging stage = SetStage(Plain, Plain);
    std::string problems;
    for (int run = 1; run <= RunsInARow && problems.empty(); ++run) {
        const bool applied = run % 2 == 1;
        problems = RunOnce(exePath, "layerbar.exe -a:150 s20");
        problems += CheckStage(stage,
                               applied ? Translucent(DefaultKey, 150, 2) : Plain,
                               applied ? Translucent(0, 20, 2) : Plain);
        if (!problems.empty()) {
            problems = " after run " + std::to_string(run) + ":" + problems;
        }
    }
    ClearStage(stage);
    return problems;
}

}  // namespace

int RunStress(const std::string& exePath) {
    int failed = 0;
    const std::vector<Case> cases = StressCases();
    for (const Case& c : cases) {
        failed += Report(c.name, RunCase(exePath, c)) ? 0 : 1;
    }
    failed +=
        Report(std::to_string(RunsInARow) + " runs in a row alternate", RunsAlternate(exePath)) ? 0
                                                                                                : 1;
    std::printf("%d of %zu stress cases failed\n", failed, cases.size() + 1);
    return failed;
}
