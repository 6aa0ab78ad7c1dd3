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

}  // namespace

HWND ForeignTaskbar() {
    HWND found = nullptr;
    EnumWindows(KeepForeignTaskbar, reinterpret_cast<LPARAM>(&found));
    return found;
}

Staging SetStage(const Look& taskbar, const Look& startMenu, HWND foreign) {
    return {CreateStagedWindow("Shell_TrayWnd", taskbar),
            CreateStagedWindow("DV2ControlHost", startMenu),
            CreateStagedWindow("LayerbarDecoy", Plain),
            foreign,
            foreign != nullptr ? GetWindowLongA(foreign, GWL_EXSTYLE) : 0};
}

std::string RunOnce(const std::string& exePath, const std::string& commandLine) {
    DWORD exitCode = 1;
    if (!RunLayerbar(exePath, commandLine, exitCode)) {
        return " layerbar did not start or end in time;";
    }
    return exitCode == 0 ? "" : " exit code " + std::to_string(exitCode) + ";";
}

std::string CheckStage(const Staging& stage, const Look& taskbar, const Look& startMenu) {
    std::string problems = CheckWindow("taskbar", stage.taskbar, taskbar) +
                           CheckWindow("start menu", stage.startMenu, startMenu) +
                           CheckWindow("decoy", stage.decoy, Plain);
    if (stage.foreign != nullptr &&
        GetWindowLongA(stage.foreign, GWL_EXSTYLE) != stage.foreignStyle) {
        problems += " Wine's own taskbar changed;";
    }
    return problems;
}

void ClearStage(const Staging& stage) {
    for (HWND window : {stage.taskbar, stage.startMenu, stage.decoy}) {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
}

std::string RunCase(const std::string& exePath, const Case& c, HWND foreign) {
    const Staging stage = SetStage(c.taskbar, c.startMenu, foreign);
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

int RunCases(const std::string& exePath) {
    HWND foreign = ForeignTaskbar();
    int failed = 0;
    for (const Case& c : Cases) {
        failed += Report(c.name, RunCase(exePath, c, foreign)) ? 0 : 1;
    }
    std::printf("%d of %zu cases failed\n", failed, Cases.size());
    return failed;
}
