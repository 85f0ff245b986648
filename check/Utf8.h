// UTF-8, as Linux systems type and write text: the packager's titles and description
// files come in it, and go to the users' Windows in its code pages.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The characters of well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF); false for anything else.
bool DecodeUtf8(const std::string& bytes, std::vector<uint32_t>* characters);

// Whether the bytes are UTF-8 with at least one character beyond ASCII: text written
// on a UTF-8 system, which a code page system would show as other characters. (A text
// in an 8-bit code page with such bytes is almost never well-formed UTF-8.)
bool IsUtf8BeyondAscii(const std::string& bytes);

// The UTF-8 sequence that starts at `offset`, for a message ("€").
std::string Utf8CharacterAt(const std::string& bytes, size_t offset);
