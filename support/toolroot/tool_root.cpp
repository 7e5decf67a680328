#include "tool_root.h"

#include "shell/tool_kit.h"
#include "shell/wide.h"

#include <windows.h>

namespace tandrel {
namespace {

std::wstring Join(const std::wstring& root, std::string_view relative) {
    return root + L"\\" + Widen(relative);
}

// Creates a folder and every folder above it.
bool MakeFolders(const std::wstring& folder) {
    for (std::size_t at = folder.find(L'\\', 3); at != std::wstring::npos;
         at = folder.find(L'\\', at + 1)) {
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    }
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool MakeParentFolders(const std::wstring& file) {
    const std::size_t slash = file.find_last_of(L'\\');
    return slash == std::wstring::npos || MakeFolders(file.substr(0, slash));
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

} // namespace

bool LayOutToolRoot(const std::wstring& root) {
    bool ok = MakeFolders(root);
    for (std::string_view folder : toolkit::kWorkingFolders) {
        ok = MakeFolders(Join(root, folder)) && ok;
    }
    for (std::string_view text : toolkit::kHelpTexts) {
        const std::wstring path = Join(root, text);
        ok = MakeParentFolders(path) && WriteFileBytes(path, HelpText(text)) && ok;
    }
    return ok;
}

bool PlaceStubPrograms(const std::wstring& root, const std::wstring& stubProgram) {
    bool ok = true;
    const auto place = [&](std::string_view relative) {
        const std::wstring path = Join(root, relative);
        ok = MakeParentFolders(path) && CopyFileW(stubProgram.c_str(), path.c_str(), FALSE) && ok;
    };
    for (std::string_view program : toolkit::kPrograms) {
        place(program);
    }
    place("explorer.exe");
    place("cmd.exe");
    return ok;
}

} // namespace tandrel
