// Plain character-by-character versions of the text routines, written the
// slow and obvious way, for the fuzz targets to hold the fast ones against.
#pragma once

#include "update/gbk.h"
#include "update/text.h"

#include <cstddef>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace tandrel::reference {

inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Whether `piece` equals `pattern`, folding only the pattern's single-byte
// characters when case does not matter.
inline bool SameText(std::string_view piece, std::string_view pattern, Case letterCase) {
    if (piece.size() != pattern.size()) {
        return false;
    }
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::size_t width = CharacterWidth(pattern, i);
        if (width == 1 && letterCase == Case::Insensitive) {
            if (LowerAscii(piece[i]) != LowerAscii(pattern[i])) {
                return false;
            }
            ++i;
            continue;
        }
        const std::size_t bytes = width == 0 ? 1 : width;
        if (piece.substr(i, bytes) != pattern.substr(i, bytes)) {
            return false;
        }
        i += bytes;
    }
    return true;
}

inline std::ptrdiff_t Find(std::string_view text, std::string_view pattern, Case letterCase,
                           std::ptrdiff_t from) {
    const std::size_t skip = from > 1 ? static_cast<std::size_t>(from - 1) : 0;
    if (skip >= text.size()) {
        return -1;
    }
    if (pattern.empty()) {
        return 1;
    }
    std::size_t at = skip;
    while (at < text.size()) {
        if (text.size() - at >= pattern.size() &&
            SameText(text.substr(at, pattern.size()), pattern, letterCase)) {
            return static_cast<std::ptrdiff_t>(at) + 1;
        }
        const std::size_t width = CharacterWidth(text, at);
        if (width == 0) {
            break;
        }
        at += width;
    }
    return -1;
}

inline std::string ReplaceOnePair(std::string_view text, std::string_view find,
                                  std::string_view replacement, std::ptrdiff_t from,
                                  std::optional<std::ptrdiff_t> count, Case letterCase) {
    const std::size_t skip = from > 1 ? static_cast<std::size_t>(from - 1) : 0;
    if (text.empty() || find.empty() || skip >= text.size() || count == 0) {
        return std::string(text);
    }
    std::string out(text.substr(0, skip));
    std::size_t at = skip;
    std::ptrdiff_t made = 0;
    while (text.size() - at >= find.size()) {
        if (SameText(text.substr(at, find.size()), find, letterCase)) {
            out += replacement;
            at += find.size();
            ++made;
            if (count && *count > 0 && made == *count) {
                break;
            }
            continue;
        }
        const std::size_t width = CharacterWidth(text, at);
        if (width == 0) {
            break;
        }
        out += text.substr(at, width);
        at += width;
    }
    out += text.substr(at);
    return out;
}

inline std::string TextBetween(std::string_view text, std::string_view begin, std::string_view end,
                               std::ptrdiff_t from, Case letterCase) {
    // "#引号" in GBK.
    const std::string_view quoteWord = "#\xD2\xFD\xBA\xC5";
    const std::string beginMarker =
        ReplaceOnePair(begin, quoteWord, "\"", 1, std::nullopt, Case::Sensitive);
    const std::string endMarker =
        ReplaceOnePair(end, quoteWord, "\"", 1, std::nullopt, Case::Sensitive);
    const std::ptrdiff_t start = reference::Find(text, beginMarker, letterCase, from);
    if (start == -1) {
        return {};
    }
    const std::ptrdiff_t content = start + static_cast<std::ptrdiff_t>(beginMarker.size());
    const std::ptrdiff_t stop = reference::Find(text, endMarker, letterCase, content);
    if (stop == -1 || stop <= content || content > static_cast<std::ptrdiff_t>(text.size())) {
        return {};
    }
    return std::string(text.substr(static_cast<std::size_t>(content - 1),
                                   static_cast<std::size_t>(stop - content)));
}

} // namespace tandrel::reference
