#include "cases.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "shell_stage.h"

namespace {

// A staged window present and not layered.
constexpr WindowState Plain{.exStyle = UnrelatedStyle};
// A window that is not there.
constexpr WindowState Absent{.present = false};
// The default colour key.
constexpr COLORREF DefaultKey = 0x00F8F8FF;

// A staged window layered with the attributes given in effect.
constexpr WindowState Layered(COLORREF key, BYTE alpha, DWORD flags) {
    return {true, UnrelatedStyle | WS_EX_LAYERED, true, key, alpha, flags};
}

// A staged window layered with a colour key alone in effect.
constexpr WindowState ColourKey(COLORREF key) {
    return Layered(key, 0, LWA_COLORKEY);
}

// A staged window layered with an opacity alone in effect.
constexpr WindowState Opacity(BYTE alpha) {
    return Layered(0, alpha, LWA_ALPHA);
}

// A staged window layered with both a colour key and an opacity in effect.
constexpr WindowState KeyAndOpacity(COLORREF key, BYTE alpha) {
    return Layered(key, alpha, LWA_COLORKEY | LWA_ALPHA);
}

// A staged window layered as the defaults leave the taskbar.
constexpr WindowState AppliedDefaults = KeyAndOpacity(DefaultKey, 224);

// One case: raw command lines run in turn on the two staged windows, plain unless it says not.
struct Case {
    std::string name;
    std::vector<std::string> lines;
    // How the windows start.
    WindowState taskbar = Plain;
    WindowState startMenu = Plain;
    // How they must be after the last run.
    WindowState taskbarAfter = Plain;
    WindowState startMenuAfter = Plain;
};

// The cases, but for the one of the taskbar of the desktop the probe came from.
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

// The runs in a row that must alternate between apply and restore.
constexpr int RunsInARow = 200;

// A command line of the longest length: the opacity 123 behind all the leading zeros that fit.
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

// The stress cases, but for the runs in a row: the hardest input Windows can hand layerbar.
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

// Where the cases run: layerbar, and the probe's own desktop.
struct Setting {
    std::string exePath;
    std::string desktop;
    // The taskbar of the desktop the probe came from (null for none), and its state then.
    HWND home = nullptr;
    std::string homeBefore;
};

// The staged windows of one case.
struct Staging {
    // The staged shell windows; null for one left out.
    HWND taskbar;
    HWND startMenu;
    // A window of another class that layerbar must not touch.
    HWND decoy;
};

// Creates the two shell windows as asked, and a decoy.
Staging SetStage(const WindowState& taskbar, const WindowState& startMenu) {
    return {CreateStagedWindow("Shell_TrayWnd", taskbar),
            CreateStagedWindow("DV2ControlHost", startMenu),
            CreateStagedWindow("LayerbarDecoy", Plain)};
}

// Destroys the staged windows.
void ClearStage(const Staging& stage) {
    for (HWND window : {stage.taskbar, stage.startMenu, stage.decoy}) {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
}

// The top-level windows of a class on this thread's desktop, but those of the process owning the
// desktop window: under Wine it keeps a hidden "Shell_TrayWnd" below the staged ones.
int CountWindows(const char* className) {
    DWORD desktopProcess = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &desktopProcess);
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        count += process == desktopProcess ? 0 : 1;
    }
    return count;
}

// What keeps layerbar, on this thread's desktop, from finding the staged shell windows and no
// others (none before staging, exactly the staged ones after); "" when nothing does.
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

// Sleeps for good on the process's desktop, which Wine ends, taskbar and all, once no thread is in.
DWORD WINAPI StayHome(void* /*unused*/) {
    Sleep(INFINITE);
    return 0;
}

// Moves this thread onto a new desktop of its own, where layerbar can find no shell window but the
// staged ones, and proves that it holds; what keeps it from holding, or "".
std::string Isolate(Setting& setting) {
    // Under Wine the desktop window comes up with the desktop's taskbar.
    GetDesktopWindow();
    setting.home = FindWindowA("Shell_TrayWnd", nullptr);
    setting.homeBefore = Describe(ReadWindow(setting.home));
    setting.desktop = "layerbar-probe-" + std::to_string(GetCurrentProcessId());
    HDESK desktop =
        CreateDesktopA(setting.desktop.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (desktop == nullptr || CreateThread(nullptr, 0, StayHome, nullptr, 0, nullptr) == nullptr ||
        SetThreadDesktop(desktop) == FALSE || !RegisterStageClasses()) {
        return "no desktop of its own (error " + std::to_string(GetLastError()) + ")";
    }
    const std::string problems = ProveIsolation();
    return problems.empty() ? "" : "its desktop is not its own:" + problems;
}

// What is wrong with a window, named which, or "" when nothing is.
std::string CheckWindow(const std::string& which, HWND window, const WindowState& expected) {
    const std::string state = Describe(ReadWindow(window));
    return state == Describe(expected)
               ? ""
               : " " + which + " is " + state + ", expected " + Describe(expected) + ";";
}

// What became of the taskbar of the desktop the probe came from; "" while it is as it was.
std::string CheckHome(const Setting& setting) {
    const std::string now = Describe(ReadWindow(setting.home));
    return now == setting.homeBefore ? ""
                                     : " the taskbar of the desktop the probe came from is " + now +
                                           ", was " + setting.homeBefore + ";";
}

// What is wrong with the staged windows, or "": the shell windows must be as expected, the decoy
// and the home taskbar as they were.
std::string CheckStage(const Setting& setting,
                       const Staging& stage,
                       const WindowState& taskbar,
                       const WindowState& startMenu) {
    return CheckWindow("taskbar", stage.taskbar, taskbar) +
           CheckWindow("start menu", stage.startMenu, startMenu) +
           CheckWindow("decoy", stage.decoy, Plain) + CheckHome(setting);
}

// Runs layerbar once on the probe's desktop; what went wrong (no start, no end, another exit code).
std::string RunOnce(const Setting& setting, const std::string& commandLine) {
    DWORD exitCode = 1;
    const std::string problem =
        RunLayerbar(setting.exePath, commandLine, setting.desktop.c_str(), exitCode);
    if (!problem.empty()) {
        return " " + problem + ";";
    }
    return exitCode == 0 ? "" : " exit code " + std::to_string(exitCode) + ";";
}

// Runs one case; what went wrong, or "" when nothing did.
std::string RunCase(const Setting& setting, const Case& c) {
    const Staging stage = SetStage(c.taskbar, c.startMenu);
    std::string problems;
    for (const std::string& commandLine : c.lines) {
        problems += RunOnce(setting, commandLine);
    }
    problems += CheckStage(setting, stage, c.taskbarAfter, c.startMenuAfter);
    ClearStage(stage);
    return problems;
}

// The same switches many times in a row: each run must flip both windows, exit with 0, and touch
// nothing else.
std::string RunsAlternate(const Setting& setting) {
    const Staging stage = SetStage(Plain, Plain);
    std::string problems;
    for (int run = 1; run <= RunsInARow && problems.empty(); ++run) {
        const bool applied = run % 2 == 1;
        problems = RunOnce(setting, "layerbar.exe -a:150 s20");
        problems += CheckStage(
            setting, stage, applied ? Opacity(150) : Plain, applied ? Opacity(20) : Plain);
        if (!problems.empty()) {
            problems.insert(0, " after run " + std::to_string(run) + ":");
        }
    }
    ClearStage(stage);
    return problems;
}

// Prints one line for a case; whether it passed.
bool Report(const std::string& name, const std::string& problems) {
    std::printf("%s %s%s%s\n",
                problems.empty() ? "ok  " : "FAIL",
                name.c_str(),
                problems.empty() ? "" : ":",
                problems.c_str());
    return problems.empty();
}

}  // namespace

int RunCases(const std::string& exePath, bool stress) {
    Setting setting{};
    setting.exePath = exePath;
    const std::string refused = Isolate(setting);
    if (!refused.empty()) {
        std::printf("refusing to run: %s\n", refused.c_str());
        return 1;
    }
    const std::vector<Case> cases = stress ? StressCases() : Cases();
    int failed = static_cast<int>(std::count_if(cases.begin(), cases.end(), [&](const Case& c) {
        return !Report(c.name, RunCase(setting, c));
    }));
    // The last case: the runs in a row for the stress cases, the home taskbar for the others.
    const std::string name = stress ? std::to_string(RunsInARow) + " runs in a row alternate"
                             : setting.home == nullptr
                                 ? "no taskbar on the desktop the probe came from to watch: the "
                                   "isolation proof stands alone"
                                 : "the taskbar of the desktop the probe came from is left alone";
    failed += Report(name, stress ? RunsAlternate(setting) : CheckHome(setting)) ? 0 : 1;
    std::printf("%d of %zu %scases failed\n", failed, cases.size() + 1, stress ? "stress " : "");
    return failed;
}
