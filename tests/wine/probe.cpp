// probe.exe: the test-side Win32 helper for layerbar.exe, on Wine or Windows.
//   probe cases|stress LAYERBAR.EXE   runs the cases, or the stress cases, on windows it stages
//   probe show     prints the taskbar and start menu layerbar would find; 0 when both are there
//   probe run LAYERBAR.EXE            runs layerbar once with the command line "layerbar.exe
//                  TAIL", TAIL the bytes of standard input, printing it and the windows around it
//   probe real-taskbar LAYERBAR.EXE FOLDER   runs it so twice on this desktop's taskbar, judged
//   probe hold     stages a start-menu host window, which Wine lacks, and keeps it up
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <iterator>

#include "probe.h"

namespace {

// Prints the taskbar and start menu as layerbar finds them; whether both are there.
bool Show(const char* when) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HWND startMenu = FindWindowA("DV2ControlHost", nullptr);
    std::printf("%s: taskbar %s; start menu %s\n",
                when,
                Describe(ReadWindow(taskbar)).c_str(),
                Describe(ReadWindow(startMenu)).c_str());
    return taskbar != nullptr && startMenu != nullptr;
}

// "layerbar.exe TAIL", TAIL the bytes of standard input.
std::string CommandLineFromInput() {
    _setmode(_fileno(stdin), _O_BINARY);
    const std::string tail{std::istreambuf_iterator<char>(std::cin), {}};
    return tail.empty() ? "layerbar.exe" : "layerbar.exe " + tail;
}

// Runs layerbar once, printing the line and the windows before and after; 0 only when both were
// there both times and layerbar ended with 0.
int Run(const std::string& exePath, const std::string& commandLine) {
    std::printf("%s\n", commandLine.c_str());
    const bool before = Show("before");
    const std::string problem = RunLayerbar(exePath, commandLine, nullptr);
    const bool after = Show("after ");
    std::printf("%s\n", problem.empty() ? "layerbar exit code 0" : problem.c_str());
    return before && after && problem.empty() ? 0 : 1;
}

// Stages a start-menu host window and handles its messages (layerbar's sends some) until ended.
int Hold() {
    if (CreateStagedWindow("DV2ControlHost", {.exStyle = UnrelatedStyle}) == nullptr) {
        std::printf("no start-menu host window could be staged (error %lu)\n", GetLastError());
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Lines end with LF alone, as on the Linux host.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "show" && argc == 2) {
        return Show("now") ? 0 : 1;
    }
    if (command == "hold" && argc == 2) {
        return Hold();
    }
    if ((command == "cases" || command == "stress") && argc == 3) {
        return RunCases(argv[2], command == "stress") == 0 ? 0 : 1;
    }
    if (command == "run" && argc == 3) {
        return Run(argv[2], CommandLineFromInput());
    }
    if (command == "real-taskbar" && argc == 4) {
        return RealTaskbar(argv[2], CommandLineFromInput(), argv[3]);
    }
    static_cast<void>(
        std::fputs("usage: probe cases|stress|show|run|real-taskbar|hold ...\n", stderr));
    return 2;
}
