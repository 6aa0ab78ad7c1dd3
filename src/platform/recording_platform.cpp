#include "platform/recording_platform.h"

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace recording {
namespace {

// What the stand-in answers from, and what it has recorded.
struct Scene {
    std::vector<ScriptedWindow> windows;
    std::string commandLine;
    std::string leadBytes;
    std::vector<std::string> calls;
};

// The one scene of the test that runs.
Scene& Current() {
    static Scene scene;
    return scene;
}

// The scripted window of a class, or null.
ScriptedWindow* Find(const std::string& className) {
    std::vector<ScriptedWindow>& windows = Current().windows;
    const auto found = std::find_if(windows.begin(), windows.end(), [&](const ScriptedWindow& w) {
        return w.className == className;
    });
    return found == windows.end() ? nullptr : &*found;
}

// The scripted window behind a handle.
ScriptedWindow& WindowOf(platform::WindowHandle window) {
    return *static_cast<ScriptedWindow*>(window);
}

// A number as eight hexadecimal digits, "0x00F8F8FF".
std::string Hex(std::uint32_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << value;
    return text.str();
}

}  // namespace

void Stage(std::vector<ScriptedWindow> windows, std::string commandLine, std::string leadBytes) {
    Current() = Scene{std::move(windows), std::move(commandLine), std::move(leadBytes), {}};
}

const std::vector<std::string>& Calls() {
    return Current().calls;
}

const ScriptedWindow& Window(const std::string& className) {
    const ScriptedWindow* window = Find(className);
    if (window == nullptr) {
        throw std::out_of_range("no scripted window of class " + className);
    }
    return *window;
}

}  // namespace recording

namespace platform {

using recording::Current;
using recording::WindowOf;

WindowHandle FindWindowA(const char* className, const char* windowName) {
    Current().calls.push_back(std::string("FindWindowA(") + className + ", " +
                              (windowName == nullptr ? "NULL" : windowName) + ")");
    return windowName == nullptr ? recording::Find(className) : nullptr;
}

std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) {
    Current().calls.push_back("GetWindowLongA(" + WindowOf(window).className + ", " +
                              std::to_string(index) + ")");
    return index == GWL_EXSTYLE ? WindowOf(window).exStyle : 0;
}

void SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) {
    Current().calls.push_back("SetWindowLongA(" + WindowOf(window).className + ", " +
                              std::to_string(index) + ", " +
                              recording::Hex(static_cast<std::uint32_t>(value)) + ")");
    if (index == GWL_EXSTYLE) {
        WindowOf(window).exStyle = value;
    }
}

void SetLayeredWindowAttributes(WindowHandle window,
                                std::uint32_t key,
                                std::uint8_t alpha,
                                std::uint32_t flags) {
    Current().calls.push_back("SetLayeredWindowAttributes(" + WindowOf(window).className + ", " +
                              recording::Hex(key) + ", " + std::to_string(alpha) + ", " +
                              std::to_string(flags) + ")");
    WindowOf(window).key = key;
    WindowOf(window).alpha = alpha;
    WindowOf(window).flags = flags;
}

const char* GetCommandLineA() {
    return Current().commandLine.c_str();
}

const char* CharNextA(const char* text) {
    if (*text == '\0') {
        return text;
    }
    const bool leadByte = Current().leadBytes.find(*text) != std::string::npos;
    return leadByte && text[1] != '\0' ? text + 2 : text + 1;
}

}  // namespace platform
