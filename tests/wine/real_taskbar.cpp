#include "real_taskbar.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "shell_stage.h"

namespace {

// The colour of the window kept beneath the taskbar while it is looked at,
// so that a translucent taskbar shows it whatever the wallpaper.
constexpr COLORREF BackdropColour = RGB(255, 0, 255);
// That colour as a pixel of a capture, 0x00RRGGBB.
constexpr DWORD BackdropPixel = 0x00FF00FF;

// How long the screen gets to show a change before it is captured.
constexpr DWORD SettleMs = 1000;

// A pixel has changed when one of its channels moved by more than this.
constexpr int Tolerance = 24;

// The share of the taskbar a translucent look must change at least, and
// the share by which a restored one may differ from the start (the clock).
constexpr double ClearlyChanged = 0.25;
constexpr double CameBack = 0.05;

// A capture of the taskbar's rectangle: 32-bit pixels, rows from the top.
struct Picture {
    LONG width = 0;
    LONG height = 0;
    std::vector<DWORD> pixels;
};

// The bitmap header of a picture, rows from the top.
BITMAPINFOHEADER Header(LONG width, LONG height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

// A rectangle of the screen as it shows, layered windows included.
Picture Capture(const RECT& rect) {
    Picture picture{rect.right - rect.left, rect.bottom - rect.top, {}};
    BITMAPINFO info{};
    info.bmiHeader = Header(picture.width, picture.height);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory,
               0,
               0,
               picture.width,
               picture.height,
               screen,
               rect.left,
               rect.top,
               SRCCOPY | CAPTUREBLT);
        GdiFlush();
        const auto* first = static_cast<const DWORD*>(bits);
        picture.pixels.assign(first,
                              first + static_cast<std::ptrdiff_t>(picture.width) * picture.height);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

// Writes a picture as a BMP file; whether it could.
bool Save(const Picture& picture, const std::string& path) {
    const BITMAPINFOHEADER header = Header(picture.width, picture.height);
    const auto bytes = static_cast<DWORD>(picture.pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(picture.pixels.data()),
              static_cast<std::streamsize>(bytes));
    return out.good();
}

// The share of the pixels that differ between two pictures of one rectangle.
double Changed(const Picture& a, const Picture& b) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
        for (const int shift : {0, 8, 16}) {
            const int difference = static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                                   static_cast<int>((b.pixels[i] >> shift) & 0xFF);
            if (difference > Tolerance || difference < -Tolerance) {
                ++changed;
                break;
            }
        }
    }
    return a.pixels.empty() ? 0
                            : static_cast<double>(changed) / static_cast<double>(a.pixels.size());
}

// Whether a picture is of one flat colour, as a capture that shows nothing.
bool Flat(const Picture& picture) {
    return std::all_of(picture.pixels.begin(), picture.pixels.end(), [&](DWORD pixel) {
        return (pixel & 0xFFFFFF) == (picture.pixels.front() & 0xFFFFFF);
    });
}

// Whether this is Wine, which draws no translucency.
bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Creates a window of one bright colour over the taskbar's rectangle,
// topmost if the taskbar is; null when Windows refuses.
HWND CreateBackdrop(HWND taskbar, const RECT& rect) {
    const DWORD topmost = GetWindowLongA(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(BackdropColour);
    windowClass.lpszClassName = "LayerbarBackdrop";
    HWND backdrop = RegisterClassA(&windowClass) == 0
                        ? nullptr
                        : CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | topmost,
                                          windowClass.lpszClassName,
                                          "",
                                          WS_POPUP,
                                          rect.left,
                                          rect.top,
                                          rect.right - rect.left,
                                          rect.bottom - rect.top,
                                          nullptr,
                                          nullptr,
                                          windowClass.hInstance,
                                          nullptr);
    if (backdrop != nullptr) {
        ShowWindow(backdrop, SW_SHOWNOACTIVATE);
    }
    return backdrop;
}

// The taskbar's rectangle once the screen has settled, the backdrop (if
// any) put right beneath the taskbar first.
Picture Settled(HWND taskbar, HWND backdrop, const RECT& rect) {
    if (backdrop != nullptr) {
        SetWindowPos(backdrop, taskbar, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    WaitPumping({}, SettleMs);
    return Capture(rect);
}

// Whether a window state is layered.
bool Layered(const WindowState& state) {
    return (state.exStyle & WS_EX_LAYERED) != 0;
}

// The taskbar before the runs, or after one: its state, and what it showed.
struct Sight {
    WindowState state;
    Picture picture;
};

// The share of the taskbar that changed between two sights, as text.
std::string Percent(const Sight& a, const Sight& b) {
    char text[16];
    static_cast<void>(
        std::snprintf(text, sizeof text, "%.1f%%", 100 * Changed(a.picture, b.picture)));
    return text;
}

// What the states before and after the runs show against what the runs
// must do, or "" when they agree: each moves the taskbar to the other
// state, and the second leaves one that was not layered as it started.
std::string JudgeStates(const std::vector<Sight>& sights) {
    std::string problems;
    for (std::size_t run = 1; run < sights.size(); ++run) {
        if (Layered(sights[run].state) == Layered(sights[run - 1].state)) {
            problems += " run " + std::to_string(run) + " left the taskbar " +
                        (Layered(sights[run].state) ? "layered;" : "not layered;");
        }
    }
    if (!Layered(sights[0].state) && Describe(sights[2].state) != Describe(sights[0].state)) {
        problems += " the second run did not leave the taskbar as it started;";
    }
    return problems;
}

// What the pictures show against what the runs did, or "" when they agree:
// the applied picture differs clearly from the opaque ones, and the
// restored one, from a taskbar that was not layered, matches the first.
std::string JudgePictures(const std::vector<Sight>& sights) {
    if (std::all_of(sights.begin(), sights.end(), [](const Sight& s) { return Flat(s.picture); })) {
        const bool hidden = (sights[0].picture.pixels.front() & 0xFFFFFF) == BackdropPixel;
        std::printf("pictures not judged: the capture shows one flat colour\n");
        return hidden ? " the backdrop hides the taskbar;" : "";
    }
    std::string problems;
    const std::size_t applied = Layered(sights[1].state) ? 1 : 2;
    for (std::size_t opaque = 0; opaque < sights.size(); ++opaque) {
        if (!Layered(sights[opaque].state) &&
            Changed(sights[applied].picture, sights[opaque].picture) < ClearlyChanged) {
            problems += " picture " + std::to_string(applied + 1) + " (translucent) differs from " +
                        std::to_string(opaque + 1) + " (opaque) in " +
                        Percent(sights[applied], sights[opaque]) + " of the taskbar only;";
        }
    }
    if (!Layered(sights[0].state) && Changed(sights[0].picture, sights[2].picture) > CameBack) {
        problems += " the restored picture differs from the first in " +
                    Percent(sights[0], sights[2]) + " of the taskbar;";
    }
    return problems;
}

// Saves the pictures into a folder, printing a line for each; what failed.
std::string SavePictures(const std::vector<Sight>& sights, const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::vector<std::string> names = {
        "1-before.bmp", "2-after-run-1.bmp", "3-after-run-2.bmp"};
    std::string problems;
    for (std::size_t i = 0; i < sights.size(); ++i) {
        std::printf("picture %zu, %s: taskbar %s\n",
                    i + 1,
                    names[i].c_str(),
                    Describe(sights[i].state).c_str());
        if (!Save(sights[i].picture, folder + "\\" + names[i])) {
            problems += " could not write " + names[i] + ";";
        }
    }
    std::printf(
        "the taskbar's %ldx%ld pixels changed: %s in run 1, %s in run 2, %s from picture 1 "
        "to picture 3\n",
        sights[0].picture.width,
        sights[0].picture.height,
        Percent(sights[0], sights[1]).c_str(),
        Percent(sights[1], sights[2]).c_str(),
        Percent(sights[0], sights[2]).c_str());
    return problems;
}

}  // namespace

int RealTaskbar(const std::string& exePath,
                const std::string& commandLine,
                const std::string& folder) {
    SetProcessDPIAware();
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (taskbar == nullptr) {
        std::printf(
            "no taskbar on this desktop (no window of class Shell_TrayWnd): nothing to look at\n");
        return 0;
    }
    RECT rect{};
    GetWindowRect(taskbar, &rect);
    // Wine draws no translucency, and on the screen it stacks a backdrop
    // above the taskbar of another process whatever their z-order: none there.
    const bool judged = !UnderWine();
    HWND backdrop = judged ? CreateBackdrop(taskbar, rect) : nullptr;
    std::printf("%s\n", commandLine.c_str());
    std::vector<Sight> sights = {{ReadWindow(taskbar), Settled(taskbar, backdrop, rect)}};
    std::string problems;
    for (int run = 1; run <= 2; ++run) {
        DWORD exitCode = 1;
        const std::string problem = RunLayerbar(exePath, commandLine, exitCode);
        if (!problem.empty()) {
            std::printf("FAIL: %s\n", problem.c_str());
            return 1;
        }
        sights.push_back({ReadWindow(taskbar), Settled(taskbar, backdrop, rect)});
        if (exitCode != 0) {
            problems +=
                " run " + std::to_string(run) + " exit code " + std::to_string(exitCode) + ";";
        }
    }
    if (judged && (backdrop == nullptr || GetWindow(taskbar, GW_HWNDNEXT) != backdrop)) {
        problems += " the backdrop is not right beneath the taskbar;";
    }
    problems += JudgeStates(sights) + SavePictures(sights, folder);
    if (judged) {
        problems += JudgePictures(sights);
    } else {
        std::printf("pictures not judged: Wine draws no translucency\n");
    }
    DestroyWindow(backdrop);
    if (!problems.empty()) {
        std::printf("FAIL:%s\n", problems.c_str());
        return 1;
    }
    std::printf("passed\n");
    return 0;
}
