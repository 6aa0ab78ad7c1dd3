#include "resources.h"

#include <windows.h>

#include <vector>

namespace {

#pragma pack(push, 2)
// One image of an icon group resource.
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
// The head of an icon group resource.
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

// The data of a resource, or null.
const void* ResourceData(HMODULE module, const char* name, const char* type, DWORD& size) {
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) {
        return nullptr;
    }
    size = SizeofResource(module, found);
    return LockResource(LoadResource(module, found));
}

// One icon image as "32x32 4-bit", from its own bitmap header.
std::string DescribeImage(HMODULE module, WORD id) {
    DWORD size = 0;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(
        ResourceData(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3), size));
    if (header == nullptr || size < sizeof *header) {
        return "missing";
    }
    // An icon's bitmap is twice as high as the image: colour bits, then the mask.
    return std::to_string(header->biWidth) + "x" + std::to_string(header->biHeight / 2) + " " +
           std::to_string(header->biBitCount) + "-bit";
}

}  // namespace

std::string DescribeIcons(const std::string& exePath) {
    HMODULE module = LoadLibraryExA(
        exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return "";
    }
    std::string text;
    DWORD size = 0;
    const auto* header = static_cast<const GroupIconHeader*>(
        ResourceData(module, "MAINICON", MAKEINTRESOURCEA(14), size));
    if (header != nullptr && size >= sizeof *header + header->count * sizeof(GroupIconEntry)) {
        const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
        for (WORD i = 0; i < header->count; ++i) {
            text += (i == 0 ? "" : ", ") + DescribeImage(module, entries[i].id);
        }
    }
    FreeLibrary(module);
    return text;
}

std::string DescribeVersion(const std::string& exePath) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(exePath.c_str(), &handle);
    std::vector<char> info(size);
    if (size == 0 || GetFileVersionInfoA(exePath.c_str(), 0, size, info.data()) == FALSE) {
        return "";
    }
    char* name = nullptr;
    char* version = nullptr;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(info.data(),
                       "\\StringFileInfo\\040904B0\\ProductName",
                       reinterpret_cast<void**>(&name),
                       &length) == FALSE ||
        VerQueryValueA(info.data(),
                       "\\StringFileInfo\\040904B0\\ProductVersion",
                       reinterpret_cast<void**>(&version),
                       &length) == FALSE ||
        VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) == FALSE) {
        return "";
    }
    std::string fileVersion;
    for (const DWORD part : {fixed->dwFileVersionMS >> 16,
                             fixed->dwFileVersionMS & 0xFFFF,
                             fixed->dwFileVersionLS >> 16,
                             fixed->dwFileVersionLS & 0xFFFF}) {
        fileVersion += (fileVersion.empty() ? "" : ".") + std::to_string(part);
    }
    return std::string(name) + " " + version + " (file version " + fileVersion + ")";
}
