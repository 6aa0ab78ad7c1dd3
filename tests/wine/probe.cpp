// probe.exe: the test-side Win32 helper for layerbar.exe, on Wine or Windows.
//   probe cases LAYERBAR.EXE      runs every case on staged shell windows
//   probe stress LAYERBAR.EXE     runs the stress cases on staged shell windows
//                                 (both on a desktop of their own: Isolate)
//   probe show                    prints the state of the taskbar and start menu
//                                 layerbar would find; exit code 0 when both are there
//   probe run LAYERBAR.EXE        runs layerbar with the raw command line
//                                 "layerbar.exe TAIL", TAIL the bytes of its
//                                 standard input as they are, printing that
//                                 line, and the state before and after
//   probe real-taskbar LAYERBAR.EXE FOLDER
//                                 runs layerbar twice so on the taskbar of this
//                                 desktop, judges what it did, and saves
//                                 pictures of it in FOLDER (RealTaskbar)
//   probe hold                    stages a start-menu host window on this desktop,
//                                 which Wine lacks, and keeps it and the desktop up
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "cases.h"
#include "real_taskbar.h"
#include "shell_stage.h"
#include "stress.h"

namespace {

// The title of the start-menu host window that "probe hold" stages.
constexpr const char* StagedTitle = "staged by probe.exe";

// A shell window as layerbar finds it, by its class, named and described;
// one that "probe hold" staged is said to be.
std::string State(const char* name, const char* className) {
    HWND window = FindWindowA(className, nullptr);
    char title[32] = {};
    if (window != nullptr) {
        GetWindowTextA(window, title, sizeof title);
    }
    const bool staged = lstrcmpA(title, StagedTitle) == 0;
    return std::string(name) + (staged ? " (staged by probe.exe) " : " ") +
           Describe(ReadWindow(window));
}

// Prints the state of the shell's taskbar and start menu, as layerbar finds
// them; whether both are there.
bool Show(const char* when) {
    std::printf("%s: %s; %s\n",
                when,
                State("taskbar", "Shell_TrayWnd").c_str(),
                State("start menu", "DV2ControlHost").c_str());
    return FindWindowA("Shell_TrayWnd", nullptr) != nullptr &&
           FindWindowA("DV2ControlHost", nullptr) != nullptr;
}

// The bytes of standard input, as they are.
std::string ReadInput() {
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), chunk, sizeof chunk, &read, nullptr) != FALSE &&
           read > 0) {
        bytes.append(chunk, read);
    }
    return bytes;
}

// The raw command line "layerbar.exe TAIL", TAIL the bytes of standard
// input as they are; "" when Windows could not pass it, saying so.
std::string CommandLineFromInput() {
    const std::string tail = ReadInput();
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

// Prints the command line, and the state; runs layerbar once with that
// line; prints the state again. 0 only when the taskbar was there before
// and after, and layerbar ended with 0.
int Run(const std::string& exePath, const std::string& commandLine) {
    std::printf("%s\n", commandLine.c_str());
    Show("before");
    const bool before = FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
    DWORD exitCode = 1;
    const std::string problem = RunLayerbar(exePath, commandLine, exitCode);
    if (!problem.empty()) {
        std::printf("%s\n", problem.c_str());
        return 1;
    }
    Show("after ");
    const bool after = FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
    std::printf("layerbar exit code %lu\n", exitCode);
    return before && after && exitCode == 0 ? 0 : 1;
}

// Stages a start-menu host window and handles its messages (layerbar's
// SetWindowLongA sends some) until the session ends.
int Hold() {
    if (!RegisterStageClasses()) {
        return 1;
    }
    HWND startMenu = CreateStagedWindow("DV2ControlHost", Look{});
    SetWindowTextA(startMenu, StagedTitle);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}

// Moves onto a desktop of its own, where layerbar can find no shell window
// but the staged ones, and proves that it holds: whether it does, with the
// reason printed when not: the desktop it came from, or null.
const Home* Isolate() {
    const Home& home = EnterPrivateDesktop();
    if (home.desktop.empty() || !RegisterStageClasses()) {
        std::printf("refusing to run: no desktop of its own (error %lu)\n", GetLastError());
        return nullptr;
    }
    const std::string problems = ProveIsolation();
    if (!problems.empty()) {
        std::printf("refusing to run: its desktop is not its own:%s\n", problems.c_str());
        return nullptr;
    }
    return &home;
}

// Runs "probe cases" or "probe stress" on a desktop of its own; the exit code.
int RunIsolated(const std::string& command, const std::string& exePath) {
    const Home* home = Isolate();
    if (home == nullptr) {
        return 1;
    }
    return (command == "cases" ? RunCases(exePath, *home) : RunStress(exePath)) == 0 ? 0 : 1;
}

// Runs "probe run" or "probe real-taskbar" with the command line of
// standard input; the exit code.
int RunFromInput(const std::string& command,
                 const std::string& exePath,
                 const std::string& folder) {
    const std::string commandLine = CommandLineFromInput();
    if (commandLine.empty()) {
        return 2;
    }
    return command == "run" ? Run(exePath, commandLine) : RealTaskbar(exePath, commandLine, folder);
}

// Prints how the probe is used; the exit code for a wrong use.
int Usage() {
    static_cast<void>(
        std::fputs("usage: probe cases|stress|show|run|real-taskbar|hold ...\n", stderr));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Lines end with LF alone, as on the Linux host.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string command = argc > 1 ? argv[1] : "";
    const bool bare = command == "show" || command == "hold";
    if (argc != (bare ? 2 : command == "real-taskbar" ? 4 : 3)) {
        return Usage();
    }
    const std::string argument = bare ? "" : argv[2];
    const std::string folder = argc > 3 ? argv[3] : "";
    if (command == "show") {
        return Show("now") ? 0 : 1;
    }
    if (command == "hold") {
        return Hold();
    }
    if (command == "cases" || command == "stress") {
        return RunIsolated(command, argument);
    }
    if (command == "run" || command == "real-taskbar") {
        return RunFromInput(command, argument, folder);
    }
    return Usage();
}
