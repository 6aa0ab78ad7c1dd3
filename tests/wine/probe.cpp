// probe.exe: the test-side Win32 helper for layerbar.exe under Wine.
//   probe cases LAYERBAR.EXE      runs every case on staged shell windows
//   probe stress LAYERBAR.EXE     runs the stress cases on staged shell windows
//                                 (both on a desktop of their own; see below)
//   probe bystander PID           holds a taskbar on this desktop for the cases of PID
//   probe show                    prints the state of the taskbar layerbar would find
//   probe run LAYERBAR.EXE [SWITCH ...]
//                                 prints that state, runs layerbar, prints it again
//   probe icons EXE               prints the images of the MAINICON group
//   probe version EXE             prints the product name and version of its VERSIONINFO
//   probe hold                    waits until the Wine session ends, keeping its desktop up
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cases.h"
#include "resources.h"
#include "shell_stage.h"
#include "stress.h"

namespace {

// The state of the shell's taskbar and start menu, as layerbar finds them.
void Show(const char* when) {
    std::printf("%s: taskbar %s; start menu %s\n",
                when,
                Describe(ReadWindow(FindWindowA("Shell_TrayWnd", nullptr))).c_str(),
                Describe(ReadWindow(FindWindowA("DV2ControlHost", nullptr))).c_str());
}

// layerbar's raw command line for these switches; blanks are quoted.
std::string CommandLine(int count, char** switches) {
    std::string line = "layerbar.exe";
    for (int i = 0; i < count; ++i) {
        const bool blank = switches[i][0] == '\0' || std::strpbrk(switches[i], " \t") != nullptr;
        line += blank ? std::string(" \"") + switches[i] + "\"" : std::string(" ") + switches[i];
    }
    return line;
}

// Shows the state, runs layerbar once with the switches, shows it again.
int Run(const std::string& exePath, int count, char** switches) {
    Show("before");
    DWORD exitCode = 1;
    if (!RunLayerbar(exePath, CommandLine(count, switches), exitCode)) {
        std::printf("layerbar did not start or end in time\n");
        return 1;
    }
    Show("after ");
    std::printf("layerbar exit code %lu\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}

// Moves onto a desktop of its own, where layerbar can find no shell window
// but the staged ones, and proves that it holds: the desktop it came from,
// or "" when it cannot, with the reason printed.
std::string Isolate() {
    const std::string home = EnterPrivateDesktop();
    if (home.empty() || !RegisterStageClasses()) {
        std::printf("refusing to run: no desktop of its own (error %lu)\n", GetLastError());
        return "";
    }
    const std::string problems = ProveIsolation();
    if (!problems.empty()) {
        std::printf("refusing to run: its desktop is not its own:%s\n", problems.c_str());
        return "";
    }
    return home;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "cases" && argc == 3) {
        const std::string home = Isolate();
        return !home.empty() && RunCases(argv[2], home) == 0 ? 0 : 1;
    }
    if (command == "stress" && argc == 3) {
        return !Isolate().empty() && RunStress(argv[2]) == 0 ? 0 : 1;
    }
    if (command == "bystander" && argc == 3) {
        return HoldBystander(std::strtoul(argv[2], nullptr, 10)) ? 0 : 1;
    }
    if (command == "show" && argc == 2) {
        Show("now");
        return 0;
    }
    if (command == "run" && argc >= 3) {
        return Run(argv[2], argc - 3, argv + 3);
    }
    if (command == "icons" && argc == 3) {
        std::printf("%s\n", DescribeIcons(argv[2]).c_str());
        return 0;
    }
    if (command == "version" && argc == 3) {
        std::printf("%s\n", DescribeVersion(argv[2]).c_str());
        return 0;
    }
    if (command == "hold" && argc == 2) {
        for (;;) {
            Sleep(INFINITE);
        }
    }
    std::fprintf(stderr, "usage: probe cases|stress|bystander|show|run|icons|version|hold ...\n");
    return 2;
}
