#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// The text of a file as it is stored, up to its first zero byte; empty when
// the file is missing, empty, locked for writing or cannot be read whole.
std::string ReadTextFile(std::string_view path);

} // namespace tandrel
