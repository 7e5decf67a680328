// The GBK stepping rule: a byte of 0x80 or above starts a two-byte
// character. Every routine that walks text character by character uses this.
#pragma once

#include <cstddef>
#include <string_view>

namespace tandrel {

// True for a byte that starts a two-byte character.
inline bool IsLeadByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

// Width in bytes of the character that starts at `at` (which must be inside
// `text`): 1 or 2, or 0 when a two-byte character is cut short by the end.
inline std::size_t CharacterWidth(std::string_view text, std::size_t at) {
    if (!IsLeadByte(text[at])) {
        return 1;
    }
    return at + 1 < text.size() ? 2 : 0;
}

} // namespace tandrel
