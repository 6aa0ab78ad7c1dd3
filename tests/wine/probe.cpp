// probe.exe: the test-side Win32 helper for layerbar.exe, on Wine or Windows.
//   probe cases|stress LAYERBAR.EXE   runs the cases, or the stress cases, on windows it stages
//   probe run LAYERBAR.EXE            stages a start menu, which Wine lacks, and runs layerbar
//                  twice with the command line "layerbar.exe TAIL", TAIL the bytes of standard
//                  input, printing it and the windows around each run
//   probe real-taskbar LAYERBAR.EXE FOLDER   runs it so twice on this desktop's taskbar, judged
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <iterator>

#include "probe.h"

namespace {

// The taskbar and start menu as layerbar finds them, printed after a label; "" when one is absent.
std::string Show(const char* label) {
    const WindowState taskbar = ReadWindow(FindWindowA("Shell_TrayWnd", nullptr));
    const WindowState startMenu = ReadWindow(FindWindowA("DV2ControlHost", nullptr));
    const std::string windows =
        "taskbar " + Describe(taskbar) + "; start menu " + Describe(startMenu);
    std::printf("%-16s %s\n", label, windows.c_str());
    return taskbar.present && startMenu.present ? windows : "";
}

// "layerbar.exe TAIL", TAIL the bytes of standard input.
std::string CommandLineFromInput() {
    _setmode(_fileno(stdin), _O_BINARY);
    const std::string tail{std::istreambuf_iterator<char>(std::cin), {}};
    return tail.empty() ? "layerbar.exe" : "layerbar.exe " + tail;
}

// Stages a start menu and runs layerbar twice, printing the line and the windows before and after
// each run; 0 only when both windows were there, layerbar ended with 0, and the second run left
// them as they were before.
int Run(const std::string& exePath, const std::string& commandLine) {
    if (CreateStagedWindow("DV2ControlHost", {.exStyle = UnrelatedStyle}) == nullptr) {
        std::printf("FAIL: no start-menu host window could be staged (error %lu)\n",
                    GetLastError());
        return 1;
    }
    std::printf("%s\n", commandLine.c_str());
    const std::string before = Show("before:");
    std::string problems = before.empty() ? " a window is absent;" : "";
    std::string after;
    for (const char* label : {"after one run:", "after two runs:"}) {
        const std::string problem = RunLayerbar(exePath, commandLine, nullptr);
        problems += problem.empty() ? "" : " " + problem + ";";
        after = Show(label);
    }
    if (after != before) {
        problems += " the second run did not leave both windows as they were before;";
    }
    std::printf(problems.empty() ? "passed: the second run restored both windows\n" : "FAIL:%s\n",
                problems.c_str());
    return problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Lines end with LF alone, as on the Linux host.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string command = argc > 1 ? argv[1] : "";
    if ((command == "cases" || command == "stress") && argc == 3) {
        return RunCases(argv[2], command == "stress") == 0 ? 0 : 1;
    }
    if (command == "run" && argc == 3) {
        return Run(argv[2], CommandLineFromInput());
    }
    if (command == "real-taskbar" && argc == 4) {
        return RealTaskbar(argv[2], CommandLineFromInput(), argv[3]);
    }
    static_cast<void>(std::fputs("usage: probe cases|stress|run|real-taskbar ...\n", stderr));
    return 2;
}
