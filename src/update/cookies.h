// A cookie jar is one text of name=value entries, separated by ";" on input
// (spaces around them allowed) and by "; " on output. Entries are compared byte
// for byte; an entry without "=" is all name.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tandrel {

// Folds the cookies of one response into a jar. Every space is removed from
// both texts, which are written back. A new cookie replaces the jar's cookies
// of its name and comes first; of the jar's own cookies of one name the first
// stays; entries ending in "=deleted" go; identical entries are kept once.
// `cookies` receives the merged jar, which is also returned.
std::string MergeCookies(std::string& cookies, std::string& newCookies);

// The entry's bytes before its first "=" (all of it without one), trimmed; a
// view into `entry`.
std::string_view CookieName(std::string_view entry);
bool HasCookieName(std::span<const std::string_view> list, std::string_view name);
// 1-based index of the first entry equal to `text`, or -1.
std::ptrdiff_t FindEntry(std::span<const std::string_view> list, std::string_view text);

// The entries of `text` split at `separator`, each kept at its first
// appearance only, joined again with `separator`.
std::string JoinDistinct(std::string_view text, std::string_view separator);

} // namespace tandrel
