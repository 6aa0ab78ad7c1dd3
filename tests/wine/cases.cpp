#include "cases.h"

#include <cstdio>
#include <vector>

#include "shell_stage.h"

namespace {

// What a window must be after the runs of a case.
struct Expect {
    // Whether the window is there at all.
    bool present = true;
    // Whether it ends layered, with the attributes below.
    bool layered = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

// One case: raw command lines run in turn on the two staged windows.
struct Case {
    const char* name;
    std::vector<const char*> commandLines;
    Start taskbar;
    Start startMenu;
    Expect taskbarAfter;
    Expect startMenuAfter;
};

// A window present and not layered, before and after.
const Start Fresh{};
const Expect Opaque{};
// A window that is not there.
const Start Absent{false};
const Expect Gone{false};

// A window layered as the defaults leave the taskbar.
const Start AppliedDefaults{true, true, 0x00F8F8FF, 224, LWA_COLORKEY | LWA_ALPHA};

// A window left layered with these attributes.
Expect Translucent(COLORREF key, BYTE alpha, DWORD flags) {
    return {true, true, key, alpha, flags};
}

// The default colour key.
constexpr COLORREF DefaultKey = 0x00F8F8FF;

const std::vector<Case> Cases = {
    {"no arguments apply the defaults",
     {"layerbar.exe"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 224, 3),
     Opaque},
    {"the same command twice restores",
     {"layerbar.exe", "layerbar.exe"},
     Fresh,
     Fresh,
     Opaque,
     Opaque},
    {"a layered taskbar is restored", {"layerbar.exe"}, AppliedDefaults, Fresh, Opaque, Opaque},
    {"windows layered by others are restored",
     {"layerbar.exe -a:180"},
     {true, true, 0x123456, 77, 3},
     {true, true, 0, 50, 2},
     Opaque,
     Opaque},
    {"-a:180", {"layerbar.exe -a:180"}, Fresh, Fresh, Translucent(DefaultKey, 180, 2), Opaque},
    {"/a=128", {"layerbar.exe /a=128"}, Fresh, Fresh, Translucent(DefaultKey, 128, 2), Opaque},
    {"a0", {"layerbar.exe a0"}, Fresh, Fresh, Translucent(DefaultKey, 0, 2), Opaque},
    {"a$ff", {"layerbar.exe a$ff"}, Fresh, Fresh, Translucent(DefaultKey, 255, 2), Opaque},
    {"-A:0X10", {"layerbar.exe -A:0X10"}, Fresh, Fresh, Translucent(DefaultKey, 16, 2), Opaque},
    {"ax80", {"layerbar.exe ax80"}, Fresh, Fresh, Translucent(DefaultKey, 128, 2), Opaque},
    {"-c#000000", {"layerbar.exe -c#000000"}, Fresh, Fresh, Translucent(0, 224, 1), Opaque},
    {"/C=#FF0000 is red",
     {"layerbar.exe /C=#FF0000"},
     Fresh,
     Fresh,
     Translucent(0xFF, 224, 1),
     Opaque},
    {"c$ff0000 is blue",
     {"layerbar.exe c$ff0000"},
     Fresh,
     Fresh,
     Translucent(0xFF0000, 224, 1),
     Opaque},
    {"cff0000 is blue",
     {"layerbar.exe cff0000"},
     Fresh,
     Fresh,
     Translucent(0xFF0000, 224, 1),
     Opaque},
    {"-a:180 -c#000000",
     {"layerbar.exe -a:180 -c#000000"},
     Fresh,
     Fresh,
     Translucent(0, 180, 3),
     Opaque},
    {"s100 alone", {"layerbar.exe s100"}, Fresh, Fresh, Opaque, Translucent(0, 100, 2)},
    {"s100 restores a layered taskbar",
     {"layerbar.exe s100"},
     AppliedDefaults,
     Fresh,
     Opaque,
     Translucent(0, 100, 2)},
    {"s100 twice", {"layerbar.exe s100", "layerbar.exe s100"}, Fresh, Fresh, Opaque, Opaque},
    {"s255 keeps the start menu opaque", {"layerbar.exe s255"}, Fresh, Fresh, Opaque, Opaque},
    {"no start menu",
     {"layerbar.exe -a:180"},
     Fresh,
     Absent,
     Translucent(DefaultKey, 180, 2),
     Gone},
    {"each window decides on its own style",
     {"layerbar.exe a200 s50"},
     AppliedDefaults,
     Fresh,
     Opaque,
     Translucent(0, 50, 2)},
    {"and the other way round",
     {"layerbar.exe a200 s50"},
     Fresh,
     {true, true, 0, 50, 2},
     Translucent(DefaultKey, 200, 2),
     Opaque},
    {"quoted program name",
     {"\"C:\\Program Files\\layerbar.exe\" -a:99"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 99, 2),
     Opaque},
    {"quoted blank joins one argument",
     {"layerbar.exe \"-a 200\""},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 200, 2),
     Opaque},
    {"quoted blank after the separator",
     {"layerbar.exe \"a: 200\""},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 200, 2),
     Opaque},
    {"unquoted blank splits", {"layerbar.exe -a 200"}, AppliedDefaults, Fresh, Opaque, Opaque},
    {"quoted stretches join",
     {"layerbar.exe -a:\"1\"8\"0\""},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 180, 2),
     Opaque},
    {"pairs of quotes are no argument",
     {"layerbar.exe \"\" \"\"\"\""},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 224, 3),
     Opaque},
    {"pairs of quotes between arguments",
     {"layerbar.exe \"\" -a:50 \"\" s9"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 50, 2),
     Translucent(0, 9, 2)},
    {"a backslash escapes nothing",
     {"layerbar.exe -a:1 x\\\" -a:99"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 1, 2),
     Opaque},
    {"an open quote runs to the end",
     {"layerbar.exe -a:7 \"-a:9"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 9, 2),
     Opaque},
    {"an open quote at the end",
     {"layerbar.exe -a:7 \""},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 7, 2),
     Opaque},
    {"tabs and control bytes separate",
     {"layerbar.exe\t-a:5\x01s6"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 5, 2),
     Translucent(0, 6, 2)},
    {"unknown arguments restore",
     {"layerbar.exe x --a100 b5 -"},
     AppliedDefaults,
     Fresh,
     Opaque,
     Opaque},
    {"a failed value alone changes nothing", {"layerbar.exe a300"}, Fresh, Fresh, Opaque, Opaque},
    {"a200 a999 arrives as 255",
     {"layerbar.exe a200 a999"},
     Fresh,
     Fresh,
     Translucent(DefaultKey, 255, 2),
     Opaque},
    {"c#00ff00 cxyz arrives as 0xFFFFFFFF",
     {"layerbar.exe c#00ff00 cxyz"},
     Fresh,
     Fresh,
     Translucent(0xFFFFFFFF, 224, 1),
     Opaque},
    {"s100 s-5 arrives as 255",
     {"layerbar.exe s100 s-5"},
     Fresh,
     Fresh,
     Opaque,
     Translucent(0, 255, 2)},
};

// Keeps the first "Shell_TrayWnd" of another process in *context.
BOOL CALLBACK KeepForeignTaskbar(HWND window, LPARAM context) {
    char className[32] = {};
    DWORD process = 0;
    GetClassNameA(window, className, sizeof className);
    GetWindowThreadProcessId(window, &process);
    if (lstrcmpA(className, "Shell_TrayWnd") == 0 && process != GetCurrentProcessId()) {
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
    }
    return TRUE;
}

// The taskbar of Wine's own desktop process, if there is one.
HWND ForeignTaskbar() {
    HWND found = nullptr;
    EnumWindows(KeepForeignTaskbar, reinterpret_cast<LPARAM>(&found));
    return found;
}

// What is wrong with a window after a case, or "" when nothing is.
std::string Check(const char* which, const WindowState& state, const Expect& expect) {
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

// Runs one case; what went wrong, or "" when nothing did.
std::string RunCase(const std::string& exePath, const Case& c, HWND foreign) {
    const LONG foreignBefore = foreign != nullptr ? GetWindowLongA(foreign, GWL_EXSTYLE) : 0;
    HWND decoy = CreateStagedWindow("LayerbarDecoy", Fresh);
    HWND taskbar = CreateStagedWindow("Shell_TrayWnd", c.taskbar);
    HWND startMenu = CreateStagedWindow("DV2ControlHost", c.startMenu);
    std::string problems;
    for (const char* commandLine : c.commandLines) {
        DWORD exitCode = 1;
        if (!RunLayerbar(exePath, commandLine, exitCode)) {
            problems += " layerbar did not start or end in time;";
        } else if (exitCode != 0) {
            problems += " exit code " + std::to_string(exitCode) + ";";
        }
    }
    problems += Check("taskbar", ReadWindow(taskbar), c.taskbarAfter);
    problems += Check("start menu", ReadWindow(startMenu), c.startMenuAfter);
    problems += Check("decoy", ReadWindow(decoy), Opaque);
    if (foreign != nullptr && GetWindowLongA(foreign, GWL_EXSTYLE) != foreignBefore) {
        problems += " Wine's own taskbar changed;";
    }
    for (HWND window : {taskbar, startMenu, decoy}) {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
    return problems;
}

}  // namespace

int RunCases(const std::string& exePath) {
    HWND foreign = ForeignTaskbar();
    int failed = 0;
    for (const Case& c : Cases) {
        const std::string problems = RunCase(exePath, c, foreign);
        std::printf("%s %s%s%s\n",
                    problems.empty() ? "ok  " : "FAIL",
                    c.name,
                    problems.empty() ? "" : ":",
                    problems.c_str());
        failed += problems.empty() ? 0 : 1;
    }
    std::printf("%d of %zu cases failed\n", failed, Cases.size());
    return failed;
}
