#include "windows/text_file.h"

#include "shell/wide.h"

#include <windows.h>

#include <new>

namespace tandrel {
namespace {

// Larger files are not shown: they cannot be meant for a help text box.
constexpr LONGLONG kLargestFile = 256LL * 1024 * 1024;

std::string ReadOpenFile(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > kLargestFile) {
        return {};
    }
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {};
    }
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {};
    }
    bytes.resize(read);
    bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
    return bytes;
}

} // namespace

std::string ReadTextFile(std::string_view path) {
    if (path.empty()) {
        return {};
    }
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text = ReadOpenFile(file);
    CloseHandle(file);
    return text;
}

} // namespace tandrel
