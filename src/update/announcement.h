// The published announcement: the marked block of the announcement page and
// its four fields, and how the update check reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

struct Announcement {
    std::string version; // as published, e.g. "2.05"
    std::string title;
    std::string address; // where the new version is downloaded
    std::string notes;   // "|" stands for a line break
};

// The block between "////开始" and the next "////结束"; nothing when either
// marker is missing or the block is empty. Each field is its key's value up
// to the next "<"; a missing key gives an empty field.
std::optional<Announcement> ParseAnnouncement(std::string_view page);

// True when the published version is newer than the current one by more than
// 1e-7 (which absorbs the single precision of the current version).
bool IsNewerVersion(std::string_view publishedVersion, float currentVersion);

// The change notes with every "|" as a line break.
std::string NotesAsLines(std::string_view notes);

// The message that announces a newer version, quoting it as published.
std::string NewVersionMessage(std::string_view publishedVersion);

// A version number as the update window shows it: six significant digits,
// no trailing zeros ("2.01").
std::string VersionText(float version);

// An address that may be handed to the file explorer: http:// or https://
// (any letter case) with no spaces, quotes or control characters.
bool IsSafeDownloadAddress(std::string_view address);

} // namespace tandrel
