// GBK text primitives: search, case folding, trimming, splitting and the two
// text routines of the update check. Texts are GBK byte strings; positions are
// 1-based byte positions and a search that finds nothing gives -1. Searches
// step over two-byte characters, so a match never begins on a second byte.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// Insensitive folds the ASCII letters only; every other byte matches exactly.
enum class Case { Sensitive, Insensitive };

// Position of the first match of `pattern` at a character start at or after
// byte position `from` (values below 1 mean 1), or -1. The byte at `from` is
// taken as a character start. An empty pattern is found at position 1
// whenever anything is left to search.
std::ptrdiff_t Find(std::string_view text, std::string_view pattern, Case letterCase,
                    std::ptrdiff_t from = 1);
bool Contains(std::string_view text, std::string_view pattern, Case letterCase);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// A-Z become a-z; two-byte characters are left untouched.
std::string ToLowerAscii(std::string_view text);

// Spaces are the ASCII space and the full-width space (A1 A1). The results of
// Trim are views into `text`.
std::string_view Trim(std::string_view text);
std::string RemoveSpaces(std::string_view text);

// Full-width digits, letters and signs (A3 xx), the full-width space, tilde and
// stars become their ASCII forms; a two-byte character cut short is dropped.
std::string FoldFullWidth(std::string_view text);

// Pieces of `text` between occurrences of `separator`, as views into `text`:
// empty pieces are kept, a separator at the very end adds none, and an empty
// text gives none. An empty separator leaves the text whole.
std::vector<std::string_view> Split(std::string_view text, std::string_view separator);

struct BetweenOptions {
    std::ptrdiff_t from = 1; // where the search for the start marker begins
    Case letterCase = Case::Insensitive;
};

// The text between the first `begin` and the next `end` after it; empty when
// either is missing. "#引号" in a marker stands for a double quote.
std::string TextBetween(std::string_view text, std::string_view begin, std::string_view end,
                        const BetweenOptions& options = {});

struct ReplacePair {
    std::string_view find; // empty: the pair does nothing
    std::string_view replacement = {};
};

struct ReplaceOptions {
    std::optional<std::ptrdiff_t> count = std::nullopt; // per pair; left out or negative: no limit
    std::ptrdiff_t from = 1;                            // bytes before it are copied unchanged
    Case letterCase = Case::Insensitive;
};

// Applies the pairs one after the other, each to the result of the one before.
std::string ReplaceMany(std::string_view text, std::span<const ReplacePair> pairs,
                        const ReplaceOptions& options = {});

} // namespace tandrel
