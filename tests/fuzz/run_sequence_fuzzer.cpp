// Drives the run sequence with arbitrary bytes as the command line, on a
// desktop the input chooses, through the recording stand-in. Input: one
// byte of desktop bits (taskbar there, start menu there, taskbar layered,
// start menu layered, double-byte code page), four bytes of other style
// bits for each window, then the whole raw command line, the program name
// included.
#include "main/next_argument.h"
#include "main/run_sequence.h"
#include "options/parse_switch.h"
#include "platform/recording_platform.h"
#include "settings/settings_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t Layered = 0x00080000;

// Stops the fuzzer with a message when a property does not hold.
void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// The desktop and command line an input stands for.
struct Scene {
    std::vector<recording::ScriptedWindow> windows;
    std::int32_t taskbarStyle = 0;
    std::int32_t startMenuStyle = 0;
    bool taskbar = false;
    bool startMenu = false;
    std::string commandLine;
    std::string leadBytes;
};

// Four little-endian bytes of the input at offset, zero past its end.
std::int32_t Word(const std::uint8_t* data, std::size_t size, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t byte = offset + i < size ? data[offset + i] : 0;
        value |= byte << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

Scene SceneOf(const std::uint8_t* data, std::size_t size) {
    Scene scene;
    const std::uint8_t bits = size > 0 ? data[0] : 0;
    scene.taskbar = (bits & 1) != 0;
    scene.startMenu = (bits & 2) != 0;
    scene.taskbarStyle = (Word(data, size, 1) & ~Layered) | ((bits & 4) != 0 ? Layered : 0);
    scene.startMenuStyle = (Word(data, size, 5) & ~Layered) | ((bits & 8) != 0 ? Layered : 0);
    if ((bits & 16) != 0) {
        scene.leadBytes = "\x81\x82\x83\x9F\xE0\xEF\xFC";
    }
    if (scene.taskbar) {
        scene.windows.push_back({"Shell_TrayWnd", scene.taskbarStyle});
    }
    if (scene.startMenu) {
        scene.windows.push_back({"DV2ControlHost", scene.startMenuStyle});
    }
    const std::size_t skip = size < 9 ? size : 9;
    const std::string bytes(reinterpret_cast<const char*>(data) + skip, size - skip);
    // A command line ends at its first null byte.
    scene.commandLine = bytes.substr(0, bytes.find('\0'));
    return scene;
}

// A value field holds its default, a value in its range, or -1.
bool ValueHolds(std::int32_t value, std::int32_t defaultValue, std::int32_t largest) {
    return value == defaultValue || value == -1 || (value >= 0 && value <= largest);
}

// Settles the settings argument by argument, checking the record after
// each one; the result must be what the run sequence settles.
TranslucencySettings SettleCheckingEachArgument(const Scene& scene) {
    const TranslucencySettings defaults;
    TranslucencySettings settings;
    std::vector<char> argument(scene.commandLine.size() + 1);
    const char* cursor = NextArgument(scene.commandLine.c_str(), argument.data(), argument.size());
    cursor = NextArgument(cursor, argument.data(), argument.size());
    const bool none = argument[0] == '\0';
    while (argument[0] != '\0') {
        const TranslucencySettings before = settings;
        LowerCase(argument.data());
        ParseSwitch(argument.data(), settings);
        Require(!before.AlphaGiven || settings.AlphaGiven, "AlphaGiven went back to false");
        Require(!before.ColorKeyGiven || settings.ColorKeyGiven, "ColorKeyGiven went back");
        Require(!before.StartMenuGiven || settings.StartMenuGiven, "StartMenuGiven went back");
        Require(ValueHolds(settings.TaskbarAlpha, defaults.TaskbarAlpha, 255), "TaskbarAlpha");
        Require(ValueHolds(settings.ColorKey, defaults.ColorKey, 0xFFFFFF), "ColorKey");
        Require(ValueHolds(settings.StartMenuAlpha, defaults.StartMenuAlpha, 255),
                "StartMenuAlpha");
        cursor = NextArgument(cursor, argument.data(), argument.size());
    }
    if (none) {
        settings.AlphaGiven = settings.ColorKeyGiven = settings.StartMenuGiven = true;
    }
    TranslucencySettings settled;
    SettleSettings(scene.commandLine.c_str(), settled);
    Require(settled == settings, "the run sequence settled other settings");
    return settings;
}

// A call as the stand-in writes it.
std::string Call(const char* function, const std::string& window, const std::string& arguments) {
    return std::string(function) + "(" + window + ", " + arguments + ")";
}

// A style or colour as the stand-in writes it.
std::string Hex(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<std::uint32_t>(value));
    return text;
}

// Checks the calls on one window from position at: the read of its style,
// then the restore (attributes, then style) when it is layered or nothing
// asks for it, else the apply (style, then attributes).
void RequireWindowCalls(const std::vector<std::string>& calls,
                        std::size_t& at,
                        const std::string& window,
                        std::int32_t style,
                        bool asked,
                        bool rereadsStyle,
                        const std::string& attributes) {
    std::vector<std::string> expected = {Call("GetWindowLongA", window, "-20")};
    if ((style & Layered) != 0 || !asked) {
        expected.push_back(Call("SetLayeredWindowAttributes", window, "0x00000000, 255, 2"));
        expected.push_back(Call("SetWindowLongA", window, "-20, " + Hex(style & ~Layered)));
    } else {
        if (rereadsStyle) {
            expected.push_back(Call("GetWindowLongA", window, "-20"));
        }
        expected.push_back(Call("SetWindowLongA", window, "-20, " + Hex(style | Layered)));
        expected.push_back(Call("SetLayeredWindowAttributes", window, attributes));
    }
    for (const std::string& call : expected) {
        Require(at < calls.size() && calls[at] == call, "a window's calls are out of shape");
        ++at;
    }
}

// Checks that the calls are the shape the decision table allows for this
// desktop and these settings, and nothing else.
void RequireCallShape(const Scene& scene,
                      const TranslucencySettings& s,
                      const std::vector<std::string>& calls) {
    std::size_t at = 0;
    Require(!calls.empty() && calls[at++] == "FindWindowA(Shell_TrayWnd, NULL)",
            "the taskbar is not looked up first");
    if (scene.taskbar) {
        const std::uint32_t flags = (s.AlphaGiven ? 2U : 0U) | (s.ColorKeyGiven ? 1U : 0U);
        RequireWindowCalls(calls,
                           at,
                           "Shell_TrayWnd",
                           scene.taskbarStyle,
                           flags != 0,
                           /*rereadsStyle=*/false,
                           Hex(s.ColorKey) + ", " + std::to_string(s.TaskbarAlpha & 0xFF) + ", " +
                               std::to_string(flags));
        Require(at < calls.size() && calls[at++] == "FindWindowA(DV2ControlHost, NULL)",
                "the start menu is not looked up after the taskbar");
        if (scene.startMenu) {
            RequireWindowCalls(calls,
                               at,
                               "DV2ControlHost",
                               scene.startMenuStyle,
                               s.StartMenuGiven && s.StartMenuAlpha != 255,
                               /*rereadsStyle=*/true,
                               "0x00000000, " + std::to_string(s.StartMenuAlpha & 0xFF) + ", 2");
        }
    }
    Require(at == calls.size(), "calls beyond the decision table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Scene scene = SceneOf(data, size);
    recording::Stage(scene.windows, scene.commandLine, scene.leadBytes);
    const TranslucencySettings settings = SettleCheckingEachArgument(scene);

    recording::Stage(scene.windows, scene.commandLine, scene.leadBytes);
    RunSequence();
    const std::vector<std::string> first = recording::Calls();
    RequireCallShape(scene, settings, first);

    recording::Stage(scene.windows, scene.commandLine, scene.leadBytes);
    RunSequence();
    Require(recording::Calls() == first, "the same input gave other calls");
    return 0;
}
