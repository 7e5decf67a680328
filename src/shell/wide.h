// The one place where the program's GBK texts become UTF-16 for Windows and back.
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

std::wstring Widen(std::string_view gbk);
std::string Narrow(std::wstring_view wide);

} // namespace tandrel
