#pragma once

#include <cstdint>

// CP936 as ICU's "windows-936-2000" table has it, made at build time
// (MakeCp936Table.cpp). A 0 entry means the table cannot say, and the text
// goes through ICU itself.
namespace cp936 {

// The character of the single byte 0x80.
extern const char16_t kByte80;
// The character of two bytes: index (lead - 0x81) * 191 + (trail - 0x40),
// for lead 0x81..0xFE and trail 0x40..0xFE.
extern const char16_t kDecode[126 * 191];
// The code of a character of the Basic Multilingual Plane: one byte below
// 0x100, else lead << 8 | trail.
extern const std::uint16_t kEncode[0x10000];

}  // namespace cp936
