// The one place where the program's texts become UTF-16 for Windows and back.
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// Bytes of a code page to UTF-16 and back; empty for an empty or oversized text.
std::wstring ToUtf16(std::string_view bytes, unsigned codePage);
std::string FromUtf16(std::wstring_view text, unsigned codePage);

// The program's own texts are GBK (code page 936), whatever the system's code page.
std::wstring Widen(std::string_view gbk);
std::string Narrow(std::wstring_view wide);

} // namespace tandrel
