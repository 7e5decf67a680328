#include "update/cookies.h"

#include "update/text.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <vector>

namespace tandrel {
namespace {

constexpr std::string_view kDeleted = "=deleted";

// Texts met so far, in one flat open-addressed table sized for `capacity`
// insertions; the texts are views that must outlive it.
class TextSet {
  public:
    explicit TextSet(std::size_t capacity) : slots_(std::bit_ceil(2 * capacity + 1)) {}

    // True when `text` had not been met before.
    bool Insert(std::string_view text) {
        const std::size_t mask = slots_.size() - 1;
        const std::size_t hash = std::hash<std::string_view>{}(text);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (!slot.used) {
                slot = {text, true};
                return true;
            }
            if (slot.text == text) {
                return false;
            }
        }
    }

  private:
    struct Slot {
        std::string_view text;
        bool used = false;
    };
    std::vector<Slot> slots_;
};

// The new entries, then the old entries whose names no entry before them has.
std::vector<std::string_view> NewBeforeOld(std::string_view cookies, std::string_view newCookies) {
    std::vector<std::string_view> merged = Split(newCookies, ";");
    const std::vector<std::string_view> old = Split(cookies, ";");
    TextSet names(merged.size() + old.size());
    for (std::string_view entry : merged) {
        names.Insert(CookieName(entry));
    }
    for (std::string_view entry : old) {
        if (names.Insert(CookieName(entry))) {
            merged.push_back(entry);
        }
    }
    return merged;
}

// The entries for which `keep` holds, joined with `separator`.
template <typename Keep>
std::string JoinKept(std::span<const std::string_view> entries, std::string_view separator,
                     Keep keep) {
    std::string joined;
    for (std::string_view entry : entries) {
        if (keep(entry)) {
            joined.append(entry).append(separator);
        }
    }
    joined.resize(joined.size() - std::min(joined.size(), separator.size()));
    return joined;
}

} // namespace

std::string MergeCookies(std::string& cookies, std::string& newCookies) {
    cookies = RemoveSpaces(cookies);
    newCookies = RemoveSpaces(newCookies);
    const std::vector<std::string_view> merged = NewBeforeOld(cookies, newCookies);
    const std::string live =
        JoinKept(merged, "; ", [](std::string_view entry) { return !entry.ends_with(kDeleted); });
    cookies = JoinDistinct(live, "; ");
    return cookies;
}

std::string_view CookieName(std::string_view entry) {
    const std::ptrdiff_t equals = Find(entry, "=", Case::Sensitive);
    return Trim(equals == -1 ? entry : entry.substr(0, static_cast<std::size_t>(equals - 1)));
}

bool HasCookieName(std::span<const std::string_view> list, std::string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [name](std::string_view entry) { return CookieName(entry) == name; });
}

std::ptrdiff_t FindEntry(std::span<const std::string_view> list, std::string_view text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? -1 : found - list.begin() + 1;
}

std::string JoinDistinct(std::string_view text, std::string_view separator) {
    const std::vector<std::string_view> entries = Split(text, separator);
    TextSet seen(entries.size());
    return JoinKept(entries, separator,
                    [&seen](std::string_view entry) { return seen.Insert(entry); });
}

} // namespace tandrel
