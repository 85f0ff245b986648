#pragma once

#include <cstdint>

#include "framework/String.h"

// Reads back a number that was written with "%u": optional leading blanks
// (space or tab), one or more decimal digits, optional trailing blanks.
// No digits, a sign, a value beyond 32 bits or anything else after the
// digits makes it return false and leaves *value unchanged.
bool ScanUnsignedDecimal(StringView text, uint32_t* value);

// The number in decimal, as "%u" writes it.
CString UnsignedDecimalText(uint32_t value);
