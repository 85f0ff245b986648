#pragma once

// The decompressor's log: its standard output, in the source folder. The install
// command creates it, the decompression dialog reads it, "View Install Log" shows it.
inline constexpr char kLogFileName[] = "VORDECOMP.LOG";
