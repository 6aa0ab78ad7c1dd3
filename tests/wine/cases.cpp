#include <algorithm>
#include <cstdio>
#include <vector>

#include "probe.h"

namespace {

// A staged window present and not layered.
constexpr WindowState Plain{.exStyle = UnrelatedStyle};
// A window that is not there.
constexpr WindowState Absent{.present = false};

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
constexpr WindowState Defaults = KeyAndOpacity(0x00F8F8FF, 224);

// One case: raw command lines run in turn on the two staged windows; how the windows must be after
// the first run, and how they start. A second run of the same line restores them, a third applies
// it again, and so on: the windows are checked after every run.
struct Case {
    std::string name;
    std::vector<std::string> lines;
    WindowState taskbarAfter = Plain;
    WindowState startMenuAfter = Plain;
    WindowState taskbar = Plain;
    WindowState startMenu = Plain;
};

// The cases, but for the one of the taskbar of the desktop the probe came from.
std::vector<Case> Cases() {
    return {
        {"no arguments apply the defaults", {"layerbar.exe"}, Defaults},
        {"the same command twice restores", {"layerbar.exe", "layerbar.exe"}, Defaults},
        {"a layered taskbar is restored", {"layerbar.exe"}, Plain, Plain, Defaults},
        {"windows layered by others are restored",
         {"layerbar.exe -a:180"},
         Plain,
         Plain,
         KeyAndOpacity(0x123456, 77),
         Opacity(50)},
        {"-a:180", {"layerbar.exe -a:180"}, Opacity(180)},
        {"/a=128", {"layerbar.exe /a=128"}, Opacity(128)},
        {"a0", {"layerbar.exe a0"}, Opacity(0)},
        {"a$ff", {"layerbar.exe a$ff"}, Opacity(255)},
        {"-A:0X10", {"layerbar.exe -A:0X10"}, Opacity(16)},
        {"ax80", {"layerbar.exe ax80"}, Opacity(128)},
        {"-c#000000", {"layerbar.exe -c#000000"}, ColourKey(0)},
        {"/C=#FF0000 is red", {"layerbar.exe /C=#FF0000"}, ColourKey(0xFF)},
        {"c$ff0000 is blue", {"layerbar.exe c$ff0000"}, ColourKey(0xFF0000)},
        {"cff0000 is blue", {"layerbar.exe cff0000"}, ColourKey(0xFF0000)},
        {"-a:180 -c#000000", {"layerbar.exe -a:180 -c#000000"}, KeyAndOpacity(0, 180)},
        {"s100 alone", {"layerbar.exe s100"}, Plain, Opacity(100)},
        {"s100 restores a layered taskbar", {"layerbar.exe s100"}, Plain, Opacity(100), Defaults},
        {"s100 twice", {"layerbar.exe s100", "layerbar.exe s100"}, Plain, Opacity(100)},
        {"s255 keeps the start menu opaque", {"layerbar.exe s255"}},
        {"no start menu", {"layerbar.exe -a:180"}, Opacity(180), Absent, Plain, Absent},
        {"each window decides on its own style",
         {"layerbar.exe a200 s50"},
         Plain,
         Opacity(50),
         Defaults},
        {"and the other way round",
         {"layerbar.exe a200 s50"},
         Opacity(200),
         Plain,
         Plain,
         Opacity(50)},
        {"quoted program name", {"\"C:\\Program Files\\layerbar.exe\" -a:99"}, Opacity(99)},
        {"quoted blank joins one argument", {"layerbar.exe \"-a 200\""}, Opacity(200)},
        {"quoted blank after the separator", {"layerbar.exe \"a: 200\""}, Opacity(200)},
        {"unquoted blank splits", {"layerbar.exe -a 200"}, Plain, Plain, Defaults},
        {"quoted stretches join", {"layerbar.exe -a:\"1\"8\"0\""}, Opacity(180)},
        {"pairs of quotes are no argument", {"layerbar.exe \"\" \"\"\"\""}, Defaults},
        {"pairs of quotes between arguments",
         {"layerbar.exe \"\" -a:50 \"\" s9"},
         Opacity(50),
         Opacity(9)},
        {"a backslash escapes nothing", {"layerbar.exe -a:1 x\\\" -a:99"}, Opacity(1)},
        {"an open quote runs to the end", {"layerbar.exe -a:7 \"-a:9"}, Opacity(9)},
        {"an open quote at the end", {"layerbar.exe -a:7 \""}, Opacity(7)},
        {"tabs and control bytes separate", {"layerbar.exe\t-a:5\x01s6"}, Opacity(5), Opacity(6)},
        {"unknown arguments restore", {"layerbar.exe x --a100 b5 -"}, Plain, Plain, Defaults},
        {"a failed value alone changes nothing", {"layerbar.exe a300"}},
        {"a200 a999 arrives as 255", {"layerbar.exe a200 a999"}, Opacity(255)},
        {"c#00ff00 cxyz arrives as 0xFFFFFFFF",
         {"layerbar.exe c#00ff00 cxyz"},
         ColourKey(0xFFFFFFFF)},
        {"s100 s-5 arrives as 255", {"layerbar.exe s100 s-5"}, Plain, Opacity(255)},
    };
}

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

// The stress cases: the hardest input Windows can hand layerbar, and 200 runs in a row.
std::vector<Case> StressCases() {
    return {
        {"the longest command line", {LongestLine()}, Opacity(123)},
        {"every byte, quoted into one argument",
         {"layerbar.exe -a:77 \"" + EveryByte("\"") + "\""},
         Opacity(77)},
        {"every byte, as it comes", {"layerbar.exe -a:77 " + EveryByte()}, Opacity(77)},
        {"every byte as an opacity value",
         {"layerbar.exe -a:77 \"-a:" + EveryByte("\"") + "\""},
         Opacity(255)},
        {"every byte as a colour value",
         {"layerbar.exe c#0000ff \"c#" + EveryByte("\"") + "\""},
         ColourKey(0xFFFFFFFF)},
        {"a quote left open at the end", {"layerbar.exe \"-a:50"}, Opacity(50)},
        {"a lone quote at the end", {"layerbar.exe s60 \""}, Plain, Opacity(60)},
        {"200 runs in a row alternate",
         std::vector<std::string>(200, "layerbar.exe -a:150 s20"),
         Opacity(150),
         Opacity(20)},
    };
}

// Where the cases run: layerbar, the probe's own desktop, and the taskbar of the desktop the probe
// came from (null for none) with its state then.
struct Setting {
    std::string exePath;
    std::string desktop;
    HWND home = nullptr;
    WindowState homeBefore;
};

// The staged windows of one case: the two shell windows (null for one left out), and a decoy of
// another class that layerbar must not touch.
struct Staging {
    HWND taskbar;
    HWND startMenu;
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
        DestroyWindow(window);
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

// Sleeps for good on the process's desktop, which Wine ends, taskbar and all, once no thread is in.
DWORD WINAPI StayHome(void* /*unused*/) {
    Sleep(INFINITE);
    return 0;
}

// Moves this thread onto a new desktop of its own, where layerbar can find no shell window but the
// staged ones, and proves that it holds by staging them; what keeps it from holding, or "".
std::string Isolate(Setting& setting) {
    // Under Wine the desktop window comes up with the desktop's taskbar.
    GetDesktopWindow();
    setting.home = FindWindowA("Shell_TrayWnd", nullptr);
    setting.homeBefore = ReadWindow(setting.home);
    setting.desktop = "layerbar-probe-" + std::to_string(GetCurrentProcessId());
    HDESK desktop =
        CreateDesktopA(setting.desktop.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (desktop == nullptr || CreateThread(nullptr, 0, StayHome, nullptr, 0, nullptr) == nullptr ||
        SetThreadDesktop(desktop) == FALSE) {
        return "no desktop of its own (error " + std::to_string(GetLastError()) + ")";
    }
    const Staging stage = SetStage(Plain, Plain);
    std::string problems;
    for (const auto& [className, window] : {std::pair{"Shell_TrayWnd", stage.taskbar},
                                            std::pair{"DV2ControlHost", stage.startMenu}}) {
        if (CountWindows(className) != 1 || FindWindowA(className, nullptr) != window) {
            problems +=
                std::string(" layerbar could find another ") + className + " than the staged one;";
        }
    }
    ClearStage(stage);
    return problems.empty() ? "" : "its desktop is not its own:" + problems;
}

// What is wrong with a window, named which, or "" when nothing is.
std::string CheckWindow(const std::string& which, HWND window, const WindowState& expected) {
    const std::string state = Describe(ReadWindow(window));
    return state == Describe(expected)
               ? ""
               : " " + which + " is " + state + ", expected " + Describe(expected) + ";";
}

// Runs one case until a run goes wrong; what went wrong, or "". Each run must leave the shell
// windows as expected, and the decoy and the home taskbar as they were.
std::string RunCase(const Setting& setting, const Case& c) {
    const Staging stage = SetStage(c.taskbar, c.startMenu);
    std::string problems;
    for (std::size_t run = 1; run <= c.lines.size() && problems.empty(); ++run) {
        problems = RunLayerbar(setting.exePath, c.lines[run - 1], setting.desktop.c_str());
        if (!problems.empty()) {
            problems.insert(0, " ") += ";";
        }
        const bool after = run % 2 == 1;
        problems +=
            CheckWindow("taskbar", stage.taskbar, after ? c.taskbarAfter : c.taskbar) +
            CheckWindow("start menu", stage.startMenu, after ? c.startMenuAfter : c.startMenu) +
            CheckWindow("decoy", stage.decoy, Plain) +
            CheckWindow(
                "the taskbar of the desktop the probe came from", setting.home, setting.homeBefore);
        if (!problems.empty()) {
            problems.insert(0, " run " + std::to_string(run) + ":");
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
    if (!stress) {
        const std::string name =
            setting.home == nullptr
                ? "no taskbar on the desktop the probe came from to watch: the isolation proof "
                  "stands alone"
                : "the taskbar of the desktop the probe came from is left alone";
        failed += Report(name, CheckWindow("it", setting.home, setting.homeBefore)) ? 0 : 1;
    }
    const std::size_t count = cases.size() + (stress ? 0 : 1);
    std::printf("%d of %zu %scases failed\n", failed, count, stress ? "stress " : "");
    return failed;
}
