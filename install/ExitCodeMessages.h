#pragma once

#include <cstdint>

// Messages for the decompressor's nonzero exit codes, shown under
// "Installation Failed". The string table holds the same texts at id
// 200 + code.

constexpr unsigned kFirstExitCodeStringId = 200;

// Exit codes 0..kHighestExitCodeWithStringId own the string ids 200..299;
// the resource script keeps that block for exit-code messages alone.
constexpr uint32_t kHighestExitCodeWithStringId = 99;

// Returned for codes outside that block. No string has id 0, so loading it
// gives an empty text.
constexpr unsigned kNoExitCodeStringId = 0;

// 200 + code for codes 0..99, kNoExitCodeStringId for every larger code.
// Larger codes are kept out of the string table on purpose: string ids are
// 16 bits wide (LoadStringA looks at the low 16 bits only) and 200 + code
// overflows 32 bits near the top, so 200 + code for a large code would land
// on an unrelated string, e.g. 0xC0000005 would load id 205 "Disk Write
// Error", or 61656 the file error text at 61856.
unsigned ExitCodeStringId(uint32_t code);

// The message for `code`, or "" for 0, 10, 11 and every code without an
// entry. Never null.
const char* ExitCodeMessage(uint32_t code);
