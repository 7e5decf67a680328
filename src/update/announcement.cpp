#include "update/announcement.h"

#include "update/text.h"
#include "windows/text_to_number.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace tandrel {
namespace {

constexpr std::string_view kBlockStart = "////开始";
constexpr std::string_view kBlockEnd = "////结束";
constexpr std::string_view kVersionKey = "最新版本=";
constexpr std::string_view kTitleKey = "程序标题=";
constexpr std::string_view kAddressKey = "更新地址=";
constexpr std::string_view kNotesKey = "更新内容=";
constexpr std::string_view kFieldEnd = "<";
constexpr double kNewerBy = 0.0000001;

std::string Field(std::string_view block, std::string_view key) {
    return TextBetween(block, key, kFieldEnd);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool IsUnsafeByte(unsigned char byte) {
    return byte <= 0x20 || byte == 0x7F || byte == '"' || byte == '\'';
}

} // namespace

std::optional<Announcement> ParseAnnouncement(std::string_view page) {
    const std::string block = TextBetween(page, kBlockStart, kBlockEnd);
    if (block.empty()) {
        return std::nullopt;
    }
    return Announcement{Field(block, kVersionKey), Field(block, kTitleKey),
                        Field(block, kAddressKey), Field(block, kNotesKey)};
}

bool IsNewerVersion(std::string_view publishedVersion, float currentVersion) {
    const double difference = TextToNumber(publishedVersion) - static_cast<double>(currentVersion);
    return difference > kNewerBy; // false for NaN too
}

std::string NotesAsLines(std::string_view notes) {
    const std::array<ReplacePair, 1> pairs = {ReplacePair{"|", "\r\n"}};
    return ReplaceMany(notes, pairs);
}

std::string NewVersionMessage(std::string_view publishedVersion) {
    return "已有最新版本：" + std::string(publishedVersion) + "\r\n请更新至最新版本";
}

std::string VersionText(float version) {
    char text[32] = {};
    std::snprintf(text, sizeof(text), "%.6g", static_cast<double>(version));
    return text;
}

bool IsSafeDownloadAddress(std::string_view address) {
    if (!StartsWithIgnoreCase(address, "http://") && !StartsWithIgnoreCase(address, "https://")) {
        return false;
    }
    for (unsigned char byte : address) {
        if (IsUnsafeByte(byte)) {
            return false;
        }
    }
    return Find(address, "\xA1\xA1", Case::Sensitive) == -1; // nor a full-width space
}

} // namespace tandrel
