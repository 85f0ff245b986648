#include <windows.h>

#include "check/TextConversion.h"
#include "check/Utf8.h"

namespace {

// UTF-16 text in `page`. The platform writes a character the page lacks as a default
// character or as a similar one; reading the result back tells: what does not come
// back unchanged has no place in the page.
bool FromWide(const std::wstring& wide, unsigned page, std::string* out, std::string* why) {
  out->clear();
  if (wide.empty()) return true;
  const int n = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(page, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size <= 0 ||
      WideCharToMultiByte(page, 0, wide.data(), n, &bytes[0], size, nullptr, nullptr) != size) {
    *why = "this system cannot convert to code page " + std::to_string(page);
    return false;
  }
  std::wstring back(wide.size() * 2 + 1, L'\0');
  const int backSize =
      MultiByteToWideChar(page, 0, bytes.data(), size, &back[0], static_cast<int>(back.size()));
  back.resize(static_cast<size_t>(backSize > 0 ? backSize : 0));
  size_t i = 0;
  while (i < wide.size() && i < back.size() && wide[i] == back[i]) ++i;
  if (i < wide.size() || back.size() != wide.size()) {
    // The character, in the system's ANSI code page, for the message.
    char shown[8] = "?";
    const int k = i < wide.size() ? WideCharToMultiByte(CP_ACP, 0, &wide[i], 1, shown,
                                                        sizeof shown - 1, nullptr, nullptr)
                                  : 1;
    *why = "\"" + std::string(shown, static_cast<size_t>(k > 0 ? k : 1)) +
           "\" has no place in code page " + std::to_string(page);
    return false;
  }
  *out = bytes;
  return true;
}

}  // namespace

unsigned DefaultAnsiCodePage() { return GetACP(); }

bool FindCodePages(unsigned ansi, TargetCodePages* pages, std::string* why) {
  if (ansi != GetACP()) {
    *why = "code page " + std::to_string(ansi) +
           " is not this system's: VORPACK.EXE writes in its own system's code pages (ANSI " +
           std::to_string(GetACP()) + ", OEM " + std::to_string(GetOEMCP()) +
           "); make the package on a Windows set to it, or with vorpack on Linux";
    return false;
  }
  pages->ansi = GetACP();
  pages->oem = GetOEMCP();
  return true;
}

bool ConvertTypedText(const std::string& text, unsigned page, std::string* out, std::string* why) {
  if (page == GetACP() || text.empty()) {  // the arguments come in it
    *out = text;
    return true;
  }
  const int n = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), n, &wide[0], n);
  wide.resize(static_cast<size_t>(size > 0 ? size : 0));
  return FromWide(wide, page, out, why);
}

bool ConvertUtf8Text(const std::string& text, unsigned page, std::string* out, std::string* why) {
  std::vector<uint32_t> characters;
  if (!DecodeUtf8(text, &characters)) {
    *why = "it is not UTF-8 text";
    return false;
  }
  std::wstring wide;
  for (uint32_t c : characters) {
    if (c >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c);
    }
  }
  return FromWide(wide, page, out, why);
}

bool ShowCodePageText(const std::string& text, unsigned page, std::string* shown) {
  if (page == GetACP() || text.empty()) {
    *shown = text;
    return true;
  }
  const int n = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int size = MultiByteToWideChar(page, 0, text.data(), n, &wide[0], n);
  if (size <= 0) return false;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  shown->assign(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &(*shown)[0], bytes, nullptr, nullptr);
  return true;
}

bool NameReachesWindows(const std::string&) { return true; }
