#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "probe.h"

namespace {

// The taskbar before the runs or after one: its state, and its pixels as the screen showed them.
struct Sight {
    WindowState state;
    std::vector<DWORD> pixels;
};

// The header of a 32-bit bitmap of a rectangle, rows from the top.
BITMAPINFOHEADER Header(const RECT& rect) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = rect.right - rect.left;
    header.biHeight = rect.top - rect.bottom;
    header.biPlanes = 1;
    header.biBitCount = 32;
    return header;
}

// A rectangle of the screen as it shows, layered windows included (CAPTUREBLT).
std::vector<DWORD> Capture(const RECT& rect) {
    BITMAPINFO info{};
    info.bmiHeader = Header(rect);
    const LONG width = info.bmiHeader.biWidth;
    const LONG height = -info.bmiHeader.biHeight;
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Writes the pixels of a rectangle as a BMP file; whether it could.
bool Save(const std::vector<DWORD>& pixels, const RECT& rect, const std::string& path) {
    const BITMAPINFOHEADER header = Header(rect);
    const auto bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(bytes));
    return out.good();
}

// The share of the taskbar that differs between two sights: pixels with a channel 25 or more apart.
double Changed(const Sight& a, const Sight& b) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            if (std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                         static_cast<int>((b.pixels[i] >> shift) & 0xFF)) > 24) {
                ++changed;
                break;
            }
        }
    }
    return static_cast<double>(changed) /
           static_cast<double>(std::max<std::size_t>(1, a.pixels.size()));
}

// That share as text, "12.3%".
std::string Percent(const Sight& a, const Sight& b) {
    char text[16];
    static_cast<void>(std::snprintf(text, sizeof text, "%.1f%%", 100 * Changed(a, b)));
    return text;
}

// Whether the taskbar was layered.
bool Layered(const Sight& sight) {
    return (sight.state.exStyle & WS_EX_LAYERED) != 0;
}

// What the states show against what two runs must do: each moves the taskbar to the other state,
// and the second leaves one that was not layered as it started; "" when they agree.
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

// What the pictures show against what the runs did: a taskbar, not only the backdrop or one flat
// colour (a locked session's black); the translucent one differs from the opaque ones in a quarter
// of the taskbar, and a restored one from the first in 5% at most (the clock).
std::string JudgePictures(const std::vector<Sight>& sights) {
    const DWORD first = sights[0].pixels.front() & 0xFFFFFF;
    const auto only = [](const Sight& s, DWORD colour) {
        return std::all_of(
            s.pixels.begin(), s.pixels.end(), [&](DWORD p) { return (p & 0xFFFFFF) == colour; });
    };
    if (std::all_of(sights.begin(), sights.end(), [&](const Sight& s) { return only(s, first); })) {
        return first == StageColour ? " every picture shows only the backdrop;"
                                    : " every picture shows one flat colour, no taskbar;";
    }
    std::string problems;
    const std::size_t applied = Layered(sights[1]) ? 1 : 2;
    for (std::size_t opaque = 0; opaque < sights.size(); ++opaque) {
        if (!Layered(sights[opaque]) && only(sights[opaque], StageColour)) {
            problems +=
                " picture " + std::to_string(opaque + 1) + " (opaque) shows only the backdrop;";
        } else if (!Layered(sights[opaque]) && Changed(sights[applied], sights[opaque]) < 0.25) {
            problems += " picture " + std::to_string(applied + 1) + " (translucent) differs from " +
                        std::to_string(opaque + 1) + " in " +
                        Percent(sights[applied], sights[opaque]) + " of the taskbar only;";
        }
    }
    if (!Layered(sights[0]) && Changed(sights[0], sights[2]) > 0.05) {
        problems +=
            " picture 3 (restored) differs from 1 in " + Percent(sights[0], sights[2]) + ";";
    }
    return problems;
}

}  // namespace

int RealTaskbar(const std::string& exePath,
                const std::string& commandLine,
                const std::string& folder) {
    SetProcessDPIAware();
    // Wine draws no translucency, and on the screen stacks a backdrop above another process's
    // taskbar: there the pictures are judged only with LAYERBAR_JUDGE_PICTURES=1.
    const char* force = std::getenv("LAYERBAR_JUDGE_PICTURES");
    const bool judged =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr ||
        (force != nullptr && std::string(force) == "1");
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    RECT rect{};
    GetWindowRect(taskbar, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (taskbar == nullptr || width <= 0 || height <= 0) {
        std::printf(judged ? "FAIL: no taskbar on this desktop (no window of class Shell_TrayWnd "
                             "with an area)\n"
                           : "no taskbar on this desktop: not judged under Wine\n");
        return judged ? 1 : 0;
    }
    constexpr UINT ShowQuietly = SWP_SHOWWINDOW | SWP_NOACTIVATE;
    // The backdrop: a window of the stage's colour right beneath the taskbar, topmost if it is.
    const LONG topmost = GetWindowLongA(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST;
    HWND backdrop = judged
                        ? CreateStagedWindow("LayerbarDecoy", {.exStyle = UnrelatedStyle | topmost})
                        : nullptr;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string pictures = folder + "\\";
    std::printf("%s\n", commandLine.c_str());
    std::vector<Sight> sights;
    std::string problems;
    for (int run = 0; run <= 2; ++run) {
        const std::string problem = run == 0 ? "" : RunLayerbar(exePath, commandLine, nullptr);
        problems += problem.empty() ? "" : " run " + std::to_string(run) + ": " + problem + ";";
        // Right beneath the taskbar each time, shown without taking the focus.
        SetWindowPos(backdrop, taskbar, rect.left, rect.top, width, height, ShowQuietly);
        WaitPumping(nullptr, 1000);
        sights.push_back({ReadWindow(taskbar), Capture(rect)});
        const std::string name = std::to_string(run + 1) + ".bmp";
        std::printf(
            "picture %s: taskbar %s\n", name.c_str(), Describe(sights.back().state).c_str());
        if (!Save(sights.back().pixels, rect, pictures + name)) {
            problems += " could not write " + name + ";";
        }
    }
    std::printf("the taskbar's pixels changed: %s in run 1, %s in run 2, %s from 1 to 3\n",
                Percent(sights[0], sights[1]).c_str(),
                Percent(sights[1], sights[2]).c_str(),
                Percent(sights[0], sights[2]).c_str());
    problems += JudgeStates(sights);
    if (!judged) {
        std::printf("pictures not judged: Wine draws no translucency\n");
    } else {
        const bool beneath = backdrop != nullptr && GetWindow(taskbar, GW_HWNDNEXT) == backdrop;
        problems +=
            beneath ? JudgePictures(sights) : " the backdrop is not right beneath the taskbar;";
    }
    std::printf(problems.empty() ? "passed\n" : "FAIL:%s\n", problems.c_str());
    return problems.empty() ? 0 : 1;
}
