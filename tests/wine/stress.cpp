#include "stress.h"

#include <cstdio>

#include "cases.h"

namespace {

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
        {.name = "the longest command line",
         .lines = {LongestLine()},
         .taskbarAfter = Opacity(123)},
        {.name = "every byte, quoted into one argument",
         .lines = {"layerbar.exe -a:77 \"" + EveryByte("\"") + "\""},
         .taskbarAfter = Opacity(77)},
        {.name = "every byte, as it comes",
         .lines = {"layerbar.exe -a:77 " + EveryByte()},
         .taskbarAfter = Opacity(77)},
        {.name = "every byte as an opacity value",
         .lines = {"layerbar.exe -a:77 \"-a:" + EveryByte("\"") + "\""},
         .taskbarAfter = Opacity(255)},
        {.name = "every byte as a colour value",
         .lines = {"layerbar.exe c#0000ff \"c#" + EveryByte("\"") + "\""},
         .taskbarAfter = ColourKey(0xFFFFFFFF)},
        {.name = "a quote left open at the end",
         .lines = {"layerbar.exe \"-a:50"},
         .taskbarAfter = Opacity(50)},
        {.name = "a lone quote at the end",
         .lines = {"layerbar.exe s60 \""},
         .startMenuAfter = Opacity(60)},
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
        problems +=
            CheckStage(stage, applied ? Opacity(150) : Plain, applied ? Opacity(20) : Plain);
        if (!problems.empty()) {
            problems.insert(0, " after run " + std::to_string(run) + ":");
        }
    }
    ClearStage(stage);
    return problems;
}

}  // namespace

int RunStress(const std::string& exePath) {
    const std::vector<Case> cases = StressCases();
    int failed = RunEach(exePath, cases);
    failed +=
        Report(std::to_string(RunsInARow) + " runs in a row alternate", RunsAlternate(exePath)) ? 0
                                                                                                : 1;
    std::printf("%d of %zu stress cases failed\n", failed, cases.size() + 1);
    return failed;
}
