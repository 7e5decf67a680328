#include "update/update_check.h"

#include "shell/operations.h"
#include "shell/properties.h"
#include "shell/tool_kit.h"
#include "update/announcement.h"
#include "update/announcement_address.h"
#include "update/http_visit.h"
#include "update/notice_box.h"

#include <atomic>
#include <optional>

namespace tandrel {
namespace {

std::atomic<float> currentVersion{0.0f};

// The download address, replaced and read under its lock. It lives on the
// heap so that a worker still running at exit never meets a destroyed string.
SRWLOCK addressLock = SRWLOCK_INIT;
std::string* updateAddress = nullptr;
bool released = false;

void ReplaceUpdateAddress(const std::string& address) {
    AcquireSRWLockExclusive(&addressLock);
    if (!released) {
        delete updateAddress;
        updateAddress = new std::string(address);
    }
    ReleaseSRWLockExclusive(&addressLock);
}

void OpenDownloadAddress() {
    const std::string address = UpdateAddress();
    if (!IsSafeDownloadAddress(address)) {
        NoticeBox("下载地址无效，已取消打开。");
        return;
    }
    LaunchCommand(std::string(toolkit::kExplorerPrefix) + address);
}

void ReportNewerVersion(HWND window, const Announcement& announcement) {
    SetProperty(window, "编辑框1", kVisible, true);
    SetText(window, "编辑框1", NotesAsLines(announcement.notes));
    ShowMessage(NewVersionMessage(announcement.version), "最新版本");
    OpenDownloadAddress();
}

// The worker: fetch the announcement, then report through the window (which
// ignores every change once it is closed) and message boxes.
DWORD WINAPI CheckForUpdate(void* parameter) {
    HWND window = static_cast<HWND>(parameter);
    const std::optional<Announcement> announcement =
        ParseAnnouncement(HttpVisit(kAnnouncementAddress));
    if (!announcement) {
        NoticeBox("检测更新失败。");
        return 0;
    }
    ReplaceUpdateAddress(announcement->address);
    SetText(window, "", announcement->title);
    if (IsNewerVersion(announcement->version, currentVersion.load())) {
        ReportNewerVersion(window, *announcement);
    } else {
        ShowMessage("当前版本已是最新");
    }
    return 0;
}

} // namespace

void ShowCurrentVersion(HWND window, std::string_view label) {
    currentVersion.store(kProgramVersion);
    SetText(window, label, VersionText(currentVersion.load()));
}

void StartUpdateCheck(HWND window) {
    HANDLE worker = CreateThread(nullptr, 0, CheckForUpdate, window, 0, nullptr);
    if (worker != nullptr) {
        CloseHandle(worker);
    }
}

std::string UpdateAddress() {
    AcquireSRWLockShared(&addressLock);
    std::string address = updateAddress != nullptr ? *updateAddress : std::string();
    ReleaseSRWLockShared(&addressLock);
    return address;
}

void ReleaseUpdateState() {
    AcquireSRWLockExclusive(&addressLock);
    delete updateAddress;
    updateAddress = nullptr;
    released = true;
    ReleaseSRWLockExclusive(&addressLock);
}

} // namespace tandrel
