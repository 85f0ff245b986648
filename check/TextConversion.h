// The code pages of the Windows a package is made for: the installer reads VOR.INI in
// the system's ANSI code page and shows the descriptions in its OEM code page. What
// the packager types comes in UTF-8 on Linux and in the ANSI code page on Windows. One
// implementation over glibc's iconv (TextConversionPosix.cpp), one over the platform's
// conversions (TextConversionWin32.cpp).
#pragma once
#include <string>

struct TargetCodePages {
  unsigned ansi = 1252;  // VOR.INI
  unsigned oem = 437;    // VOR.nfo and file_id.diz
};

// The ANSI code page a package is made for when the packager names none: natively
// 1252 (Western Windows); on Windows the system's own.
unsigned DefaultAnsiCodePage();

// The pages of a Windows whose ANSI code page is `ansi`: 1252 with OEM 437; 932, 936,
// 949 and 950 are their own OEM pages. False, with the reason, for a code page this
// build cannot write (on Windows: any but the system's own).
bool FindCodePages(unsigned ansi, TargetCodePages* pages, std::string* why);

// Text the packager typed, in code page `page` (one that FindCodePages gave). False,
// with the reason in *why: a character the page cannot hold ("€" has no place in code
// page 437), or, natively, text that is not UTF-8.
bool ConvertTypedText(const std::string& text, unsigned page, std::string* out, std::string* why);

// UTF-8 text (a description file written on a UTF-8 system) in code page `page`.
bool ConvertUtf8Text(const std::string& text, unsigned page, std::string* out, std::string* why);

// Text in code page `page` as the packager reads it: natively in UTF-8, on Windows in
// the system's ANSI code page; false when this system cannot convert it.
bool ShowCodePageText(const std::string& text, unsigned page, std::string* shown);

// Whether a payload file's name reaches the users' Windows as it is. Natively a name
// beyond ASCII is UTF-8, which the archiver stores byte for byte and Windows would
// show as other characters; on Windows the names are the system's own.
bool NameReachesWindows(const std::string& name);
