#include "update/text.h"

#include "update/gbk.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tandrel {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// "#引号" in GBK: a marker's way of writing a double quote.
constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";
// "　", the full-width space.
constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

unsigned char FoldLetter(char c) {
    const unsigned char b = Byte(c);
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

bool IsAsciiLetter(char c) {
    const unsigned char folded = FoldLetter(c);
    return folded >= 'a' && folded <= 'z';
}

// The same letter in the other case; any other byte unchanged.
unsigned char OtherCase(char c) {
    const unsigned char b = Byte(c);
    return IsAsciiLetter(c) ? static_cast<unsigned char>(b ^ ('a' - 'A')) : b;
}

// Bytes to move past the character at `at`; a cut-short character is its one byte.
std::size_t StepWidth(std::string_view text, std::size_t at) {
    return std::max<std::size_t>(CharacterWidth(text, at), 1);
}

// Width of the space character at `at`, or 0 when no space starts there.
std::size_t SpaceWidth(std::string_view text, std::size_t at) {
    if (text[at] == ' ') {
        return 1;
    }
    return text.substr(at, 2) == kFullWidthSpace ? kFullWidthSpace.size() : 0;
}

// Whether `pattern` matches `text` at offset `at`; `text` holds enough bytes.
// Without regard to case only single-byte characters are folded.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern, Case letterCase) {
    const char* here = text.data() + at;
    if (letterCase == Case::Sensitive) {
        return std::memcmp(here, pattern.data(), pattern.size()) == 0;
    }
    for (std::size_t i = 0; i < pattern.size();) {
        const std::size_t width = StepWidth(pattern, i);
        const bool same = width == 1 ? FoldLetter(here[i]) == FoldLetter(pattern[i])
                                     : std::memcmp(here + i, pattern.data() + i, width) == 0;
        if (!same) {
            return false;
        }
        i += width;
    }
    return true;
}

// Whether offset `at` starts a character, given that `known` (at or before it)
// does. A character starts right after any byte below 0x80 (a single-byte
// character or a second byte), so only the run of lead-range bytes before
// `at` decides: they pair up from the run's start.
bool StartsCharacter(std::string_view text, std::size_t known, std::size_t at) {
    std::size_t runStart = at;
    while (runStart > known && IsLeadByte(text[runStart - 1])) {
        --runStart;
    }
    return (at - runStart) % 2 == 0;
}

// Finds one byte value ahead of a growing offset, never scanning a stretch of
// text twice.
class ByteScanner {
  public:
    ByteScanner(std::string_view text, std::size_t end, unsigned char byte)
        : text_(text), end_(end), byte_(byte) {}

    // Offset of the first occurrence in [from, end), or kNone. `from` must not
    // decrease from one call to the next.
    std::size_t Next(std::size_t from) {
        const bool cached = scannedFrom_ != kNone && (found_ == kNone || found_ >= from);
        if (cached) {
            return found_;
        }
        scannedFrom_ = from;
        found_ = kNone;
        if (from < end_) {
            const void* hit = std::memchr(text_.data() + from, byte_, end_ - from);
            if (hit != nullptr) {
                found_ = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
            }
        }
        return found_;
    }

  private:
    std::string_view text_;
    std::size_t end_;
    unsigned char byte_;
    std::size_t scannedFrom_ = kNone;
    std::size_t found_ = kNone;
};

// Repeated searches for one non-empty pattern in one text at offsets that
// never decrease. Candidates come from memchr on one pattern byte (the anchor),
// preferably one compared exactly; an all-letter pattern without regard to case
// looks for its first letter in both cases.
class Searcher {
  public:
    Searcher(std::string_view text, std::string_view pattern, Case letterCase)
        : text_(text), pattern_(pattern), letterCase_(letterCase),
          anchorOffset_(AnchorOffset(pattern, letterCase)),
          anchor_(text, ScanEnd(), Byte(pattern[anchorOffset_])),
          otherCase_(text, ScanEnd(), OtherCase(pattern[anchorOffset_])),
          bothCases_(letterCase == Case::Insensitive &&
                     OtherCase(pattern[anchorOffset_]) != Byte(pattern[anchorOffset_])) {}

    // Offset of the first match at a character start at or after `from`, which
    // is taken as a character start; kNone when there is none.
    std::size_t Next(std::size_t from) {
        if (pattern_.size() > text_.size()) {
            return kNone;
        }
        const std::size_t last = text_.size() - pattern_.size();
        std::size_t known = from;
        for (std::size_t at = from; at <= last;) {
            const std::size_t candidate = NextCandidate(at);
            if (candidate == kNone) {
                return kNone;
            }
            if (MatchesAt(text_, candidate, pattern_, letterCase_)) {
                if (StartsCharacter(text_, known, candidate)) {
                    return candidate;
                }
                known = candidate + 1;
            }
            at = candidate + 1;
        }
        return kNone;
    }

  private:
    static std::size_t AnchorOffset(std::string_view pattern, Case letterCase) {
        if (letterCase == Case::Sensitive) {
            return 0;
        }
        for (std::size_t i = 0; i < pattern.size(); i += StepWidth(pattern, i)) {
            if (!IsAsciiLetter(pattern[i])) {
                return i;
            }
        }
        return 0;
    }

    // Anchor bytes are looked for up to here, so every candidate leaves room
    // for the whole pattern.
    std::size_t ScanEnd() const {
        return pattern_.size() > text_.size() ? 0
                                              : text_.size() - pattern_.size() + anchorOffset_ + 1;
    }

    std::size_t NextCandidate(std::size_t at) {
        std::size_t hit = anchor_.Next(at + anchorOffset_);
        if (bothCases_) {
            hit = std::min(hit, otherCase_.Next(at + anchorOffset_));
        }
        return hit == kNone ? kNone : hit - anchorOffset_;
    }

    std::string_view text_;
    std::string_view pattern_;
    Case letterCase_;
    std::size_t anchorOffset_;
    ByteScanner anchor_;
    ByteScanner otherCase_;
    bool bothCases_;
};

// The ASCII byte that the full-width character `lead trail` stands for, or 0.
char AsciiForm(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        return static_cast<char>(trail - 0x80);
    }
    if (lead != 0xA1) {
        return 0;
    }
    switch (trail) {
    case 0xA1:
        return ' ';
    case 0xAB:
        return '~';
    case 0xEE: // white star
    case 0xEF: // black star
        return '*';
    default:
        return 0;
    }
}

std::size_t SkipCount(std::ptrdiff_t from) {
    return from > 1 ? static_cast<std::size_t>(from - 1) : 0;
}

// The `length` bytes from 1-based `position`, cut off at the end of the text;
// empty when the position lies outside the text or the length is not positive.
std::string Middle(std::string_view text, std::ptrdiff_t position, std::ptrdiff_t length) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size() || length <= 0) {
        return {};
    }
    return std::string(
        text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length)));
}

std::string ReplacePairOnce(std::string_view text, const ReplacePair& pair,
                            const ReplaceOptions& options) {
    const std::size_t skip = SkipCount(options.from);
    if (text.empty() || pair.find.empty() || skip >= text.size() || options.count == 0) {
        return std::string(text);
    }
    const bool limited = options.count.has_value() && *options.count > 0;
    const std::size_t limit = limited ? static_cast<std::size_t>(*options.count) : SIZE_MAX;

    std::string result;
    result.reserve(text.size());
    result.append(text.substr(0, skip));
    Searcher searcher(text, pair.find, options.letterCase);
    std::size_t at = skip;
    std::size_t made = 0;
    while (made < limit) {
        const std::size_t hit = searcher.Next(at);
        if (hit == kNone) {
            break;
        }
        result.append(text.substr(at, hit - at));
        result.append(pair.replacement);
        at = hit + pair.find.size();
        ++made;
    }
    result.append(text.substr(at));
    return result;
}

std::string WithQuotes(std::string_view marker) {
    return ReplacePairOnce(marker, {kQuoteWord, "\""}, {.letterCase = Case::Sensitive});
}

} // namespace

std::ptrdiff_t Find(std::string_view text, std::string_view pattern, Case letterCase,
                    std::ptrdiff_t from) {
    const std::size_t skip = SkipCount(from);
    if (skip >= text.size()) {
        return -1;
    }
    if (pattern.empty()) {
        return 1;
    }
    const std::size_t at = Searcher(text, pattern, letterCase).Next(skip);
    return at == kNone ? -1 : static_cast<std::ptrdiff_t>(at + 1);
}

bool Contains(std::string_view text, std::string_view pattern, Case letterCase) {
    return Find(text, pattern, letterCase) != -1;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && MatchesAt(a, 0, b, Case::Insensitive);
}

std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    for (std::size_t at = 0; at < lower.size(); at += StepWidth(lower, at)) {
        lower[at] = static_cast<char>(FoldLetter(lower[at]));
    }
    return lower;
}

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && SpaceWidth(text, begin) != 0) {
        begin += SpaceWidth(text, begin);
    }
    std::size_t end = begin;
    for (std::size_t at = begin; at < text.size();) {
        const std::size_t space = SpaceWidth(text, at);
        at += space != 0 ? space : StepWidth(text, at);
        if (space == 0) {
            end = at;
        }
    }
    return text.substr(begin, end - begin);
}

std::string RemoveSpaces(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t space = SpaceWidth(text, at);
        if (space != 0) {
            at += space;
            continue;
        }
        const std::size_t width = StepWidth(text, at);
        kept.append(text.substr(at, width));
        at += width;
    }
    return kept;
}

std::string FoldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); at += StepWidth(text, at)) {
        const std::size_t width = CharacterWidth(text, at);
        if (width == 1) {
            folded.push_back(text[at]);
            continue;
        }
        if (width == 0) {
            break;
        }
        const char ascii = AsciiForm(Byte(text[at]), Byte(text[at + 1]));
        if (ascii != 0) {
            folded.push_back(ascii);
        } else {
            folded.append(text.substr(at, 2));
        }
    }
    return folded;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separator.empty()) {
        pieces.push_back(text);
        return pieces;
    }
    Searcher searcher(text, separator, Case::Sensitive);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t hit = searcher.Next(at);
        if (hit == kNone) {
            pieces.push_back(text.substr(at));
            break;
        }
        pieces.push_back(text.substr(at, hit - at));
        at = hit + separator.size();
    }
    return pieces;
}

std::string TextBetween(std::string_view text, std::string_view begin, std::string_view end,
                        const BetweenOptions& options) {
    const std::string beginMarker = WithQuotes(begin);
    const std::string endMarker = WithQuotes(end);
    const std::ptrdiff_t start = Find(text, beginMarker, options.letterCase, options.from);
    if (start == -1) {
        return {};
    }
    const std::ptrdiff_t content = start + static_cast<std::ptrdiff_t>(beginMarker.size());
    const std::ptrdiff_t stop = Find(text, endMarker, options.letterCase, content);
    if (stop == -1) {
        return {};
    }
    return Middle(text, content, stop - content);
}

std::string ReplaceMany(std::string_view text, std::span<const ReplacePair> pairs,
                        const ReplaceOptions& options) {
    std::string result(text);
    for (const ReplacePair& pair : pairs) {
        result = ReplacePairOnce(result, pair, options);
    }
    return result;
}

} // namespace tandrel
