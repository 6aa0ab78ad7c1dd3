// checker.exe: a probe for builds without a C or C++ runtime (Windows on ARM64 from Debian's LLVM),
// built alike for each architecture so that their outputs can be compared line for line. It stages
// a start-menu host window, then runs layerbar.exe twice with each line of standard input as its
// command line's tail, printing the exit code and both windows' states after each run. No C
// runtime: its own entry point, Windows' own string functions, static buffers, and no loop or
// initialiser that a compiler could turn into memset or memcpy.
//   checker.exe LAYERBAR.EXE < TABLE
#include <windows.h>

namespace {

// The room for a line of the table, well within the 1,024 characters that wsprintfA writes at most.
constexpr DWORD lineSize = 512;

// Writes a null-terminated text to standard output.
void Print(const char* what) {
    DWORD written = 0;
    const auto length = static_cast<DWORD>(lstrlenA(what));
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), what, length, &written, nullptr);
}

// Appends a window's extended style and layered attributes (zeros where it has none) to text;
// every value is a 32-bit long or DWORD, but the alpha, which wsprintfA takes as an int.
void AppendState(char* text, const char* name, HWND window) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    char state[160];
    const char* format = "; %s style 0x%08lx key 0x%06lx alpha %u flags %lu";
    if (window == nullptr) {
        format = "; %s none";
    } else {
        GetLayeredWindowAttributes(window, &key, &alpha, &flags);
    }
    wsprintfA(state, format, name, GetWindowLongA(window, GWL_EXSTYLE), key, alpha, flags);
    lstrcatA(text, state);
}

// Runs layerbar.exe with the line, answering meanwhile the messages its calls send to the staged
// window, and prints the exit code and both windows' states.
void Run(const char* exe, const char* line, int run) {
    static char command[1100];
    static char text[1100];
    static STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    DWORD code = 0;
    MSG message;
    wsprintfA(command, "\"%s\" %s", exe, line);
    startup.cb = sizeof startup;
    if (CreateProcessA(
            nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) ==
        FALSE) {
        wsprintfA(text, "[%s] run %d: did not start (error %lu)\n", line, run, GetLastError());
        Print(text);
        return;
    }
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageA(&message);
        }
    }
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    wsprintfA(text, "[%s] run %d: exit %lu", line, run, code);
    AppendState(text, "taskbar", FindWindowA("Shell_TrayWnd", nullptr));
    AppendState(text, "start menu", FindWindowA("DV2ControlHost", nullptr));
    lstrcatA(text, "\n");
    Print(text);
}

// Reads a line of standard input into line, of lineSize bytes, without its line end; false at the
// end of the input.
bool ReadLine(char* line) {
    char* end = line;
    DWORD read = 0;
    char byte = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &read, nullptr) != FALSE &&
           read == 1 && byte != '\n') {
        if (byte != '\r' && end + 1 < line + lineSize) {
            *end++ = byte;
        }
    }
    *end = 0;
    return read == 1 || end != line;
}

}  // namespace

// The entry point: the checker's own name passed over, the window staged, each line run twice.
extern "C" [[noreturn]] void CheckerEntry() {
    static char line[lineSize];
    static WNDCLASSA startMenuClass;
    const char* exe = GetCommandLineA();
    bool quoted = false;
    while (*exe != 0 && (quoted || *exe != ' ')) {
        quoted = quoted != (*exe++ == '"');
    }
    while (*exe == ' ') {
        ++exe;
    }
    startMenuClass.lpfnWndProc = DefWindowProcA;
    startMenuClass.hInstance = GetModuleHandleA(nullptr);
    startMenuClass.lpszClassName = "DV2ControlHost";
    RegisterClassA(&startMenuClass);
    CreateWindowExA(0,
                    "DV2ControlHost",
                    "Start menu",
                    WS_POPUP,
                    0,
                    0,
                    300,
                    400,
                    nullptr,
                    nullptr,
                    startMenuClass.hInstance,
                    nullptr);
    while (ReadLine(line)) {
        Run(exe, line, 1);
        Run(exe, line, 2);
    }
    ExitProcess(0);
}
