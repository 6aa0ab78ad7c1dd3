#include "cases.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "shell_stage.h"

namespace {

// Every case, but for the one of the home taskbar.
std::vector<Case> Cases() {
    return {
        {.name = "no arguments apply the defaults",
         .lines = {"layerbar.exe"},
         .taskbarAfter = KeyAndOpacity(DefaultKey, 224)},
        {.name = "the same command twice restores", .lines = {"layerbar.exe", "layerbar.exe"}},
        {.name = "a layered taskbar is restored",
         .lines = {"layerbar.exe"},
         .taskbar = AppliedDefaults},
        {.name = "windows layered by others are restored",
         .lines = {"layerbar.exe -a:180"},
         .taskbar = KeyAndOpacity(0x123456, 77),
         .startMenu = Opacity(50)},
        {.name = "-a:180", .lines = {"layerbar.exe -a:180"}, .taskbarAfter = Opacity(180)},
        {.name = "/a=128", .lines = {"layerbar.exe /a=128"}, .taskbarAfter = Opacity(128)},
        {.name = "a0", .lines = {"layerbar.exe a0"}, .taskbarAfter = Opacity(0)},
        {.name = "a$ff", .lines = {"layerbar.exe a$ff"}, .taskbarAfter = Opacity(255)},
        {.name = "-A:0X10", .lines = {"layerbar.exe -A:0X10"}, .taskbarAfter = Opacity(16)},
        {.name = "ax80", .lines = {"layerbar.exe ax80"}, .taskbarAfter = Opacity(128)},
        {.name = "-c#000000", .lines = {"layerbar.exe -c#000000"}, .taskbarAfter = ColourKey(0)},
        {.name = "/C=#FF0000 is red",
         .lines = {"layerbar.exe /C=#FF0000"},
         .taskbarAfter = ColourKey(0xFF)},
        {.name = "c$ff0000 is blue",
         .lines = {"layerbar.exe c$ff0000"},
         .taskbarAfter = ColourKey(0xFF0000)},
        {.name = "cff0000 is blue",
         .lines = {"layerbar.exe cff0000"},
         .taskbarAfter = ColourKey(0xFF0000)},
        {.name = "-a:180 -c#000000",
         .lines = {"layerbar.exe -a:180 -c#000000"},
         .taskbarAfter = KeyAndOpacity(0, 180)},
        {.name = "s100 alone", .lines = {"layerbar.exe s100"}, .startMenuAfter = Opacity(100)},
        {.name = "s100 restores a layered taskbar",
         .lines = {"layerbar.exe s100"},
         .taskbar = AppliedDefaults,
         .startMenuAfter = Opacity(100)},
        {.name = "s100 twice", .lines = {"layerbar.exe s100", "layerbar.exe s100"}},
        {.name = "s255 keeps the start menu opaque", .lines = {"layerbar.exe s255"}},
        {.name = "no start menu",
         .lines = {"layerbar.exe -a:180"},
         .startMenu = Absent,
         .taskbarAfter = Opacity(180),
         .startMenuAfter = Absent},
        {.name = "each window decides on its own style",
         .lines = {"layerbar.exe a200 s50"},
         .taskbar = AppliedDefaults,
         .startMenuAfter = Opacity(50)},
        {.name = "and the other way round",
         .lines = {"layerbar.exe a200 s50"},
         .startMenu = Opacity(50),
         .taskbarAfter = Opacity(200)},
        {.name = "quoted program name",
         .lines = {"\"C:\\Program Files\\layerbar.exe\" -a:99"},
         .taskbarAfter = Opacity(99)},
        {.name = "quoted blank joins one argument",
         .lines = {"layerbar.exe \"-a 200\""},
         .taskbarAfter = Opacity(200)},
        {.name = "quoted blank after the separator",
         .lines = {"layerbar.exe \"a: 200\""},
         .taskbarAfter = Opacity(200)},
        {.name = "unquoted blank splits",
         .lines = {"layerbar.exe -a 200"},
         .taskbar = AppliedDefaults},
        {.name = "quoted stretches join",
         .lines = {"layerbar.exe -a:\"1\"8\"0\""},
         .taskbarAfter = Opacity(180)},
        {.name = "pairs of quotes are no argument",
         .lines = {"layerbar.exe \"\" \"\"\"\""},
         .taskbarAfter = KeyAndOpacity(DefaultKey, 224)},
        {.name = "pairs of quotes between arguments",
         .lines = {"layerbar.exe \"\" -a:50 \"\" s9"},
         .taskbarAfter = Opacity(50),
         .startMenuAfter = Opacity(9)},
        {.name = "a backslash escapes nothing",
         .lines = {"layerbar.exe -a:1 x\\\" -a:99"},
         .taskbarAfter = Opacity(1)},
        {.name = "an open quote runs to the end",
         .lines = {"layerbar.exe -a:7 \"-a:9"},
         .taskbarAfter = Opacity(9)},
        {.name = "an open quote at the end",
         .lines = {"layerbar.exe -a:7 \""},
         .taskbarAfter = Opacity(7)},
        {.name = "tabs and control bytes separate",
         .lines = {"layerbar.exe\t-a:5\x01s6"},
         .taskbarAfter = Opacity(5),
         .startMenuAfter = Opacity(6)},
        {.name = "unknown arguments restore",
         .lines = {"layerbar.exe x --a100 b5 -"},
         .taskbar = AppliedDefaults},
        {.name = "a failed value alone changes nothing", .lines = {"layerbar.exe a300"}},
        {.name = "a200 a999 arrives as 255",
         .lines = {"layerbar.exe a200 a999"},
         .taskbarAfter = Opacity(255)},
        {.name = "c#00ff00 cxyz arrives as 0xFFFFFFFF",
         .lines = {"layerbar.exe c#00ff00 cxyz"},
         .taskbarAfter = ColourKey(0xFFFFFFFF)},
        {.name = "s100 s-5 arrives as 255",
         .lines = {"layerbar.exe s100 s-5"},
         .startMenuAfter = Opacity(255)},
    };
}

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

// What is wrong with a window, named which, or "" when nothing is.
std::string CheckWindow(const char* which, HWND window, const Look& expect) {
    const WindowState state = ReadWindow(window);
    const LONG style = UnrelatedStyle | (expect.layered ? WS_EX_LAYERED : 0);
    bool right = state.present == expect.present;
    if (right && expect.present) {
        right = state.exStyle == style;
    }
    if (right && expect.layered) {
        // Only the attributes in effect: what a window keeps of the others
        // is up to Windows (Wine reports alpha 0 without LWA_ALPHA).
        right = state.attributesRead && state.flags == expect.flags &&
                ((expect.flags & LWA_COLORKEY) == 0 || state.key == expect.key) &&
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
    const std::string problem = RunLayerbar(exePath, commandLine, exitCode);
    if (!problem.empty()) {
        return " " + problem + ";";
    }
    return exitCode == 0 ? "" : " exit code " + std::to_string(exitCode) + ";";
}

std::string CheckStage(const Staging& stage, const Look& taskbar, const Look& startMenu) {
    return CheckWindow("taskbar", stage.taskbar, taskbar) +
           CheckWindow("start menu", stage.startMenu, startMenu) +
           CheckWindow("decoy", stage.decoy, Plain) + CheckHome();
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
    for (const std::string& commandLine : c.lines) {
        problems += RunOnce(exePath, commandLine);
    }
    problems += CheckStage(stage, c.taskbarAfter, c.startMenuAfter);
    ClearStage(stage);
    return problems;
}

int RunEach(const std::string& exePath, const std::vector<Case>& cases) {
    return static_cast<int>(std::count_if(cases.begin(), cases.end(), [&](const Case& c) {
        return !Report(c.name, RunCase(exePath, c));
    }));
}

bool Report(const std::string& name, const std::string& problems) {
    std::printf("%s %s%s%s\n",
                problems.empty() ? "ok  " : "FAIL",
                name.c_str(),
                problems.empty() ? "" : ":",
                problems.c_str());
    return problems.empty();
}

int RunCases(const std::string& exePath, const Home& home) {
    const std::vector<Case> cases = Cases();
    int failed = RunEach(exePath, cases);
    const std::string watched =
        home.taskbar == nullptr
            ? "no taskbar on the desktop " + home.desktop +
                  " to watch: the isolation proof stands alone"
            : "the taskbar of the desktop " + home.desktop + " is left alone by every case";
    failed += Report(watched, CheckHome()) ? 0 : 1;
    std::printf("%d of %zu cases failed\n", failed, cases.size() + 1);
    return failed;
}
