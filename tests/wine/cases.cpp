#include "cases.h"

#include <cstdio>
#include <vector>

#include "shell_stage.h"

namespace {

const std::vector<Case> Cases = {
    {"no arguments apply the defaults",
     {"layerbar.exe"},
     Plain,
     Plain,
     Translucent(DefaultKey, 224, 3),
     Plain},
    {"the same command twice restores",
     {"layerbar.exe", "layerbar.exe"},
     Plain,
     Plain,
     Plain,
     Plain},
    {"a layered taskbar is restored", {"layerbar.exe"}, AppliedDefaults, Plain, Plain, Plain},
    {"windows layered by others are restored",
     {"layerbar.exe -a:180"},
     {true, true, 0x123456, 77, 3},
     {true, true, 0, 50, 2},
     Plain,
     Plain},
    {"-a:180", {"layerbar.exe -a:180"}, Plain, Plain, Translucent(DefaultKey, 180, 2), Plain},
    {"/a=128", {"layerbar.exe /a=128"}, Plain, Plain, Translucent(DefaultKey, 128, 2), Plain},
    {"a0", {"layerbar.exe a0"}, Plain, Plain, Translucent(DefaultKey, 0, 2), Plain},
    {"a$ff", {"layerbar.exe a$ff"}, Plain, Plain, Translucent(DefaultKey, 255, 2), Plain},
    {"-A:0X10", {"layerbar.exe -A:0X10"}, Plain, Plain, Translucent(DefaultKey, 16, 2), Plain},
    {"ax80", {"layerbar.exe ax80"}, Plain, Plain, Translucent(DefaultKey, 128, 2), Plain},
    {"-c#000000", {"layerbar.exe -c#000000"}, Plain, Plain, Translucent(0, 224, 1), Plain},
    {"/C=#FF0000 is red",
     {"layerbar.exe /C=#FF0000"},
     Plain,
     Plain,
     Translucent(0xFF, 224, 1),
     Plain},
    {"c$ff0000 is blue",
     {"layerbar.exe c$ff0000"},
     Plain,
     Plain,
     Translucent(0xFF0000, 224, 1),
     Plain},
    {"cff0000 is blue",
     {"layerbar.exe cff0000"},
     Plain,
     Plain,
     Translucent(0xFF0000, 224, 1),
     Plain},
    {"-a:180 -c#000000",
     {"layerbar.exe -a:180 -c#000000"},
     Plain,
     Plain,
     Translucent(0, 180, 3),
     Plain},
    {"s100 alone", {"layerbar.exe s100"}, Plain, Plain, Plain, Translucent(0, 100, 2)},
    {"s100 restores a layered taskbar",
     {"layerbar.exe s100"},
     AppliedDefaults,
     Plain,
     Plain,
     Translucent(0, 100, 2)},
    {"s100 twice", {"layerbar.exe s100", "layerbar.exe s100"}, Plain, Plain, Plain, Plain},
    {"s255 keeps the start menu opaque", {"layerbar.exe s255"}, Plain, Plain, Plain, Plain},
    {"no start menu",
     {"layerbar.exe -a:180"},
     Plain,
     Absent,
     Translucent(DefaultKey, 180, 2),
     Absent},
    {"each window decides on its own style",
     {"layerbar.exe a200 s50"},
     AppliedDefaults,
     Plain,
     Plain,
     Translucent(0, 50, 2)},
    {"and the other way round",
     {"layerbar.exe a200 s50"},
     Plain,
     {true, true, 0, 50, 2},
     Translucent(DefaultKey, 200, 2),
     Plain},
    {"quoted program name",
     {"\"C:\\Program Files\\layerbar.exe\" -a:99"},
     Plain,
     Plain,
     Translucent(DefaultKey, 99, 2),
     Plain},
    {"quoted blank joins one argument",
     {"layerbar.exe \"-a 200\""},
     Plain,
     Plain,
     Translucent(DefaultKey, 200, 2),
     Plain},
    {"quoted blank after the separator",
     {"layerbar.exe \"a: 200\""},
     Plain,
     Plain,
     Translucent(DefaultKey, 200, 2),
     Plain},
    {"unquoted blank splits", {"layerbar.exe -a 200"}, AppliedDefaults, Plain, Plain, Plain},
    {"quoted stretches join",
     {"layerbar.exe -a:\"1\"8\"0\""},
     Plain,
     Plain,
     Translucent(DefaultKey, 180, 2),
     Plain},
    {"pairs of quotes are no argument",
     {"layerbar.exe \"\" \"\"\"\""},
     Plain,
     Plain,
     Translucent(DefaultKey, 224, 3),
     Plain},
    {"pairs of quotes between arguments",
     {"layerbar.exe \"\" -a:50 \"\" s9"},
     Plain,
     Plain,
     Translucent(DefaultKey, 50, 2),
     Translucent(0, 9, 2)},
    {"a backslash escapes nothing",
     {"layerbar.exe -a:1 x\\\" -a:99"},
     Plain,
     Plain,
     Translucent(DefaultKey, 1, 2),
     Plain},
    {"an open quote runs to the end",
     {"layerbar.exe -a:7 \"-a:9"},
     Plain,
     Plain,
     Translucent(DefaultKey, 9, 2),
     Plain},
    {"an open quote at the end",
     {"layerbar.exe -a:7 \""},
     Plain,
     Plain,
     Translucent(DefaultKey, 7, 2),
     Plain},
    {"tabs and control bytes separate",
     {"layerbar.exe\t-a:5\x01s6"},
     Plain,
     Plain,
     Translucent(DefaultKey, 5, 2),
     Translucent(0, 6, 2)},
    {"unknown arguments restore",
     {"layerbar.exe x --a100 b5 -"},
     AppliedDefaults,
     Plain,
     Plain,
     Plain},
    {"a failed value alone changes nothing", {"layerbar.exe a300"}, Plain, Plain, Plain, Plain},
    {"a200 a999 arrives as 255",
     {"layerbar.exe a200 a999"},
     Plain,
     Plain,
     Translucent(DefaultKey, 255, 2),
     Plain},
    {"c#00ff00 cxyz arrives as 0xFFFFFFFF",
     {"layerbar.exe c#00ff00 cxyz"},
     Plain,
     Plain,
     Translucent(0xFFFFFFFF, 224, 1),
     Plain},
    {"s100 s-5 arrives as 255",
     {"layerbar.exe s100 s-5"},
     Plain,
     Plain,
     Plain,
     Translucent(0, 255, 2)},
};

// What CountClass counts: the windows of a class but those of one process.
struct ClassCount {
    const char* className;
    DWORD exceptProcess;
    int count;
};

// Counts a window into *context when it is of the class and process asked.
BOOL CALLBACK CountClass(HWND window, LPARAM context) {
    auto* wanted = reinterpret_cast<ClassCount*>(context);
    char className[32] = {};
    DWORD process = 0;
    GetClassNameA(window, className, sizeof className);
    GetWindowThreadProcessId(window, &process);
    if (lstrcmpA(className, wanted->className) == 0 && process != wanted->exceptProcess) {
        ++wanted->count;
    }
    return TRUE;
}

// The top-level windows of a class on this thread's desktop, but those of
// the process that owns the desktop window: Wine's desktop process keeps a
// hidden "Shell_TrayWnd" of its own on every desktop, below the windows
// created after it; Windows has none there.
int CountWindows(const char* className) {
    ClassCount wanted{className, 0, 0};
    GetWindowThreadProcessId(GetDesktopWindow(), &wanted.exceptProcess);
    EnumWindows(CountClass, reinterpret_cast<LPARAM>(&wanted));
    return wanted.count;
}

// Whether a window subclassed with NoteStyleChanges had its style set.
bool StyleChanged = false;

// The window procedure of the bystander's taskbar: notes any change of its
// style, then does what every window does.
LRESULT CALLBACK NoteStyleChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StyleChanged = StyleChanged || message == WM_STYLECHANGED;
    return DefWindowProcA(window, message, wParam, lParam);
}

// How long the taskbar of another process waits for the cases, at most.
constexpr DWORD BystanderMs = 600000;

// What is wrong with a window, named which, or "" when nothing is.
std::string CheckWindow(const char* which, HWND window, const Look& expect) {
    const WindowState state = ReadWindow(window);
    const LONG style = UnrelatedStyle | (expect.layered ? WS_EX_LAYERED : 0);
    bool right = state.present == expect.present;
    if (right && expect.present) {
        right = state.exStyle == style;
    }
    if (right && expect.layered) {
        // Wine reports alpha 0 unless LWA_ALPHA is among the flags.
        right = state.attributesRead && state.key == expect.key && state.flags == expect.flags &&
                ((expect.flags & LWA_ALPHA) == 0 || state.alpha == expect.alpha);
    }
    if (right) {
        return "";
    }
    WindowState wanted{
        expect.present, style, expect.layered, expect.key, expect.alpha, expect.flags};
    return std::string(" ") + which + " is " + Describe(state) + ", expected " + Describe(wanted) +
           ";";
}

// Another process's taskbar on another desktop, kept up while the cases run.
struct Bystander {
    // That process, and the events it is ready on and is ended by.
    HANDLE process;
    HANDLE ready;
    HANDLE done;
};

// The name of an event the cases and the bystander of a probe meet on.
std::string EventName(DWORD probe, const char* what) {
    return "layerbar-probe-" + std::to_string(probe) + "-" + what;
}

// Starts "probe bystander" on the desktop home and waits until its taskbar is up.
Bystander StartBystander(const std::string& home) {
    const DWORD self = GetCurrentProcessId();
    Bystander bystander{nullptr,
                        CreateEventA(nullptr, TRUE, FALSE, EventName(self, "ready").c_str()),
                        CreateEventA(nullptr, TRUE, FALSE, EventName(self, "done").c_str())};
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    bystander.process =
        StartProgram(path, "probe.exe bystander " + std::to_string(self), home.c_str());
    if (bystander.process != nullptr) {
        WaitForSingleObject(bystander.ready, RunTimeoutMs);
    }
    return bystander;
}

// Ends the bystander; what went wrong with its taskbar, or "" when nothing did.
std::string EndBystander(const Bystander& bystander) {
    const bool up =
        bystander.process != nullptr && WaitForSingleObject(bystander.ready, 0) == WAIT_OBJECT_0;
    SetEvent(bystander.done);
    DWORD exitCode = 1;
    if (up && WaitForSingleObject(bystander.process, RunTimeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(bystander.process, &exitCode);
    }
    for (HANDLE handle : {bystander.process, bystander.ready, bystander.done}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    return !up ? " it did not come up;" : exitCode != 0 ? " it was changed or did not end;" : "";
}

}  // namespace

Staging SetStage(const Look& taskbar, const Look& startMenu) {
    return {CreateStagedWindow("Shell_TrayWnd", taskbar),
            CreateStagedWindow("DV2ControlHost", startMenu),
            CreateStagedWindow("LayerbarDecoy", Plain)};
}

std::string ProveIsolation() {
    std::string problems;
    for (const char* className : {"Shell_TrayWnd", "DV2ControlHost"}) {
        if (CountWindows(className) != 0) {
            problems +=
                std::string(" a window of class ") + className + " is there before staging;";
        }
    }
    const Staging stage = SetStage(Plain, Plain);
    const std::pair<const char*, HWND> staged[] = {{"Shell_TrayWnd", stage.taskbar},
                                                   {"DV2ControlHost", stage.startMenu}};
    for (const auto& [className, window] : staged) {
        if (CountWindows(className) != 1 || FindWindowA(className, nullptr) != window) {
            problems +=
                std::string(" FindWindowA does not find the staged ") + className + " alone;";
        }
    }
    ClearStage(stage);
    return problems;
}

std::string RunOnce(const std::string& exePath, const std::string& commandLine) {
    DWORD exitCode = 1;
    if (!RunLayerbar(exePath, commandLine, exitCode)) {
        return " layerbar did not start or end in time;";
    }
    return exitCode == 0 ? "" : " exit code " + std::to_string(exitCode) + ";";
}

std::string CheckStage(const Staging& stage, const Look& taskbar, const Look& startMenu) {
    return CheckWindow("taskbar", stage.taskbar, taskbar) +
           CheckWindow("start menu", stage.startMenu, startMenu) +
           CheckWindow("decoy", stage.decoy, Plain);
}

void ClearStage(const Staging& stage) {
    for (HWND window : {stage.taskbar, stage.startMenu, stage.decoy}) {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
}

std::string RunCase(const std::string& exePath, const Case& c) {
    const Staging stage = SetStage(c.taskbar, c.startMenu);
    std::string problems;
    for (const std::string& commandLine : c.commandLines) {
        problems += RunOnce(exePath, commandLine);
    }
    problems += CheckStage(stage, c.taskbarAfter, c.startMenuAfter);
    ClearStage(stage);
    return problems;
}

bool Report(const std::string& name, const std::string& problems) {
    std::printf("%s %s%s%s\n",
                problems.empty() ? "ok  " : "FAIL",
                name.c_str(),
                problems.empty() ? "" : ":",
                problems.c_str());
    return problems.empty();
}

int RunCases(const std::string& exePath, const std::string& home) {
    const Bystander bystander = StartBystander(home);
    int failed = 0;
    for (const Case& c : Cases) {
        failed += Report(c.name, RunCase(exePath, c)) ? 0 : 1;
    }
    failed += Report("a taskbar of another process on the desktop " + home + " is left alone",
                     EndBystander(bystander))
                  ? 0
                  : 1;
    std::printf("%d of %zu cases failed\n", failed, Cases.size() + 1);
    return failed;
}

bool HoldBystander(DWORD probe) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName(probe, "ready").c_str());
    HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, EventName(probe, "done").c_str());
    HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, probe);
    if (ready == nullptr || done == nullptr || parent == nullptr || !RegisterStageClasses()) {
        return false;
    }
    HWND taskbar = CreateStagedWindow("Shell_TrayWnd", Plain);
    SetWindowPos(taskbar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowLongPtrA(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteStyleChanges));
    const std::string before = Describe(ReadWindow(taskbar));
    SetEvent(ready);
    // Until the cases are done, or the probe that runs them is gone.
    const bool ended = WaitPumping({done, parent}, BystanderMs) == 0;
    return ended && !StyleChanged && Describe(ReadWindow(taskbar)) == before;
}
