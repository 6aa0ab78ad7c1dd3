#include "real_taskbar.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "shell_stage.h"

namespace {

// The colour of the window kept beneath the taskbar while it is looked at,
// so that a translucent taskbar shows it whatever the wallpaper: magenta,
// the same as a COLORREF and as a pixel of a capture.
constexpr DWORD Backdrop = 0x00FF00FF;

// How long the screen gets to show a change before it is captured.
constexpr DWORD SettleMs = 1000;

// The taskbar before the runs, or after one: its state, and its pixels as
// the screen showed them, 32 bits each, rows from the top.
struct Sight {
    WindowState state;
    std::vector<DWORD> pixels;
};

// The bitmap header of a picture of a rectangle, rows from the top.
BITMAPINFOHEADER Header(const RECT& rect) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = rect.right - rect.left;
    header.biHeight = rect.top - rect.bottom;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

// A rectangle of the screen as it shows, layered windows included.
std::vector<DWORD> Capture(const RECT& rect) {
    BITMAPINFO info{};
    info.bmiHeader = Header(rect);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    if (bits != nullptr) {
        std::copy_n(static_cast<const DWORD*>(bits), pixels.size(), pixels.begin());
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Writes the pixels of a rectangle as a BMP file; whether it could.
bool Save(const std::vector<DWORD>& pixels, const RECT& rect, const std::string& path) {
    const BITMAPINFOHEADER header = Header(rect);
    const auto bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = offset + bytes;
    file.bfOffBits = offset;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(bytes));
    return out.good();
}

// The share of the taskbar that differs between two sights: the pixels of
// which a channel moved by more than 24.
double Changed(const Sight& a, const Sight& b) {
    const auto differs = [](DWORD x, DWORD y) {
        return std::abs(static_cast<int>(x & 0xFF) - static_cast<int>(y & 0xFF)) > 24 ||
               std::abs(static_cast<int>(x >> 8 & 0xFF) - static_cast<int>(y >> 8 & 0xFF)) > 24 ||
               std::abs(static_cast<int>(x >> 16 & 0xFF) - static_cast<int>(y >> 16 & 0xFF)) > 24;
    };
    std::size_t changed = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
        changed += static_cast<std::size_t>(differs(a.pixels[i], b.pixels[i]));
    }
    return a.pixels.empty() ? 0
                            : static_cast<double>(changed) / static_cast<double>(a.pixels.size());
}

// That share as text: "12.3%".
std::string Percent(const Sight& a, const Sight& b) {
    char text[16];
    static_cast<void>(std::snprintf(text, sizeof text, "%.1f%%", 100 * Changed(a, b)));
    return text;
}

// Whether the taskbar was layered.
bool Layered(const Sight& sight) {
    return (sight.state.exStyle & WS_EX_LAYERED) != 0;
}

// What the states show against what two runs must do, or "" when they
// agree: each moves the taskbar to the other state, and the second leaves
// one that was not layered as it started.
std::string JudgeStates(const std::vector<Sight>& sights) {
    std::string problems;
    for (std::size_t run = 1; run < sights.size(); ++run) {
        if (Layered(sights[run]) == Layered(sights[run - 1])) {
            problems +=
                " run " + std::to_string(run) + " did not move the taskbar to the other state;";
        }
    }
    if (!Layered(sights[0]) && Describe(sights[2].state) != Describe(sights[0].state)) {
        problems += " the second run did not leave the taskbar as it started;";
    }
    return problems;
}

// What the pictures show against what the runs did, or "" when they agree:
// the translucent one differs from the opaque ones in a quarter of the
// taskbar at least, and the restored one, from a taskbar that was not
// layered, from the first in 5% at most (the clock). Pictures of one flat
// colour, as a capture that shows nothing gives, are not judged.
std::string JudgePictures(const std::vector<Sight>& sights) {
    const auto flat = [](const Sight& s) {
        return std::all_of(s.pixels.begin(), s.pixels.end(), [&](DWORD p) {
            return (p & 0xFFFFFF) == (s.pixels.front() & 0xFFFFFF);
        });
    };
    if (std::all_of(sights.begin(), sights.end(), flat)) {
        std::printf("pictures not judged: the capture shows one flat colour\n");
        return (sights[0].pixels.front() & 0xFFFFFF) == Backdrop ? " the backdrop hides it;" : "";
    }
    std::string problems;
    const std::size_t applied = Layered(sights[1]) ? 1 : 2;
    for (std::size_t opaque = 0; opaque < sights.size(); ++opaque) {
        if (!Layered(sights[opaque]) && Changed(sights[applied], sights[opaque]) < 0.25) {
            problems += " picture " + std::to_string(applied + 1) + " (translucent) differs from " +
                        std::to_string(opaque + 1) + " (opaque) in " +
                        Percent(sights[applied], sights[opaque]) + " of the taskbar only;";
        }
    }
    if (!Layered(sights[0]) && Changed(sights[0], sights[2]) > 0.05) {
        problems += " the restored picture differs from the first in " +
                    Percent(sights[0], sights[2]) + " of the taskbar;";
    }
    return problems;
}

// Creates a window of one bright colour over a rectangle, topmost if the
// taskbar is; null when Windows refuses.
HWND CreateBackdrop(HWND taskbar, const RECT& rect) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(Backdrop);
    windowClass.lpszClassName = "LayerbarBackdrop";
    if (RegisterClassA(&windowClass) == 0) {
        return nullptr;
    }
    const DWORD topmost = GetWindowLongA(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST;
    HWND backdrop = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | topmost,
                                    windowClass.lpszClassName,
                                    "",
                                    WS_POPUP | WS_VISIBLE,
                                    rect.left,
                                    rect.top,
                                    rect.right - rect.left,
                                    rect.bottom - rect.top,
                                    {},
                                    {},
                                    windowClass.hInstance,
                                    {});
    return backdrop;
}

}  // namespace

int RealTaskbar(const std::string& exePath,
                const std::string& commandLine,
                const std::string& folder) {
    SetProcessDPIAware();
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (taskbar == nullptr) {
        std::printf("no taskbar on this desktop (no window of class Shell_TrayWnd): passed\n");
        return 0;
    }
    RECT rect{};
    GetWindowRect(taskbar, &rect);
    // Wine draws no translucency, and on the screen it stacks a backdrop
    // above the taskbar of another process whatever their z-order: none there.
    const bool judged =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr;
    HWND backdrop = judged ? CreateBackdrop(taskbar, rect) : nullptr;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string pictures = folder + "\\";
    std::printf("%s\n", commandLine.c_str());
    std::vector<Sight> sights;
    std::string problems;
    for (int run = 0; run <= 2; ++run) {
        DWORD exitCode = 0;
        const std::string problem =
            run == 0 ? "" : RunLayerbar(exePath, commandLine, nullptr, exitCode);
        if (!problem.empty()) {
            std::printf("FAIL: %s\n", problem.c_str());
            return 1;
        }
        if (exitCode != 0) {
            problems +=
                " run " + std::to_string(run) + " exit code " + std::to_string(exitCode) + ";";
        }
        if (backdrop != nullptr) {
            SetWindowPos(backdrop, taskbar, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        WaitPumping(nullptr, SettleMs);
        sights.push_back({ReadWindow(taskbar), Capture(rect)});
        const std::string name = std::to_string(run + 1) +
                                 (run == 0 ? "-before" : "-after-run-" + std::to_string(run)) +
                                 ".bmp";
        std::printf("picture %d, %s: taskbar %s\n",
                    run + 1,
                    name.c_str(),
                    Describe(sights.back().state).c_str());
        if (!Save(sights.back().pixels, rect, pictures + name)) {
            problems += " could not write " + name + ";";
        }
    }
    problems += JudgeStates(sights);
    std::printf(
        "the taskbar's %ldx%ld pixels changed: %s in run 1, %s in run 2, %s from picture 1 "
        "to picture 3\n",
        rect.right - rect.left,
        rect.bottom - rect.top,
        Percent(sights[0], sights[1]).c_str(),
        Percent(sights[1], sights[2]).c_str(),
        Percent(sights[0], sights[2]).c_str());
    const bool beneath = backdrop != nullptr && GetWindow(taskbar, GW_HWNDNEXT) == backdrop;
    if (!judged) {
        std::printf("pictures not judged: Wine draws no translucency\n");
    } else {
        problems +=
            beneath ? JudgePictures(sights) : " the backdrop is not right beneath the taskbar;";
    }
    std::printf(problems.empty() ? "passed\n" : "FAIL:%s\n", problems.c_str());
    return problems.empty() ? 0 : 1;
}
