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

// The title of the start-menu host window that "probe hold" stages.
constexpr const char* StagedTitle = "staged by probe.exe";

// A shell window as layerbar finds it, named and described, said to be staged if "probe hold" was.
std::string State(const char* name, const char* className) {
    HWND window = FindWindowA(className, nullptr);
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    const bool staged = lstrcmpA(title, StagedTitle) == 0;
    return std::string(name) + (staged ? " (staged by probe.exe) " : " ") +
           Describe(ReadWindow(window));
}

// Prints the taskbar and start menu as layerbar finds them; whether both are there.
bool Show(const char* when) {
    std::printf("%s: %s; %s\n",
                when,
                State("taskbar", "Shell_TrayWnd").c_str(),
                State("start menu", "DV2ControlHost").c_str());
    return FindWindowA("Shell_TrayWnd", nullptr) != nullptr &&
           FindWindowA("DV2ControlHost", nullptr) != nullptr;
}

// "layerbar.exe TAIL", TAIL the bytes of standard input; "" when Windows could not pass it, said.
std::string CommandLineFromInput() {
    _setmode(_fileno(stdin), _O_BINARY);
    const std::string tail{std::istreambuf_iterator<char>(std::cin), {}};
    std::string commandLine = tail.empty() ? "layerbar.exe" : "layerbar.exe " + tail;
    if (commandLine.size() > LongestCommandLine) {
        std::printf(
            "refusing to run: the command line would be %zu characters, and Windows "
            "passes at most %zu\n",
            commandLine.size(),
            LongestCommandLine);
        return "";
    }
    return commandLine;
}

// Runs layerbar once, printing the line and the windows before and after; 0 only when the taskbar
// was there both times and layerbar ended with 0.
int Run(const std::string& exePath, const std::string& commandLine) {
    std::printf("%s\n", commandLine.c_str());
    Show("before");
    const bool before = FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
    DWORD exitCode = 1;
    const std::string problem = RunLayerbar(exePath, commandLine, nullptr, exitCode);
    if (!problem.empty()) {
        std::printf("%s\n", problem.c_str());
        return 1;
    }
    Show("after ");
    std::printf("layerbar exit code %lu\n", exitCode);
    return before && FindWindowA("Shell_TrayWnd", nullptr) != nullptr && exitCode == 0 ? 0 : 1;
}

// Stages a start-menu host window and handles its messages (layerbar's sends some) until ended.
int Hold() {
    if (!RegisterStageClasses()) {
        return 1;
    }
    SetWindowTextA(CreateStagedWindow("DV2ControlHost", {.exStyle = UnrelatedStyle}), StagedTitle);
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
    const std::string argument = argc > 2 ? argv[2] : "";
    if (command == "show" && argc == 2) {
        return Show("now") ? 0 : 1;
    }
    if (command == "hold" && argc == 2) {
        return Hold();
    }
    if ((command == "cases" || command == "stress") && argc == 3) {
        return RunCases(argument, command == "stress") == 0 ? 0 : 1;
    }
    const bool run = command == "run" && argc == 3;
    if (run || (command == "real-taskbar" && argc == 4)) {
        const std::string commandLine = CommandLineFromInput();
        return commandLine.empty() ? 2
               : run               ? Run(argument, commandLine)
                                   : RealTaskbar(argument, commandLine, argv[3]);
    }
    static_cast<void>(
        std::fputs("usage: probe cases|stress|show|run|real-taskbar|hold ...\n", stderr));
    return 2;
}
