#include <errno.h>
#include <iconv.h>

#include "check/TextConversion.h"
#include "check/Utf8.h"

namespace {

struct KnownPage {
  unsigned ansi, oem;
  const char *ansiName, *oemName;  // iconv's names
};
const KnownPage kKnownPages[] = {
    {1252, 437, "CP1252", "CP437"}, {932, 932, "CP932", "CP932"}, {936, 936, "CP936", "CP936"},
    {949, 949, "CP949", "CP949"},   {950, 950, "CP950", "CP950"},
};

const char* IconvName(unsigned page) {
  for (const KnownPage& k : kKnownPages) {
    if (k.ansi == page) return k.ansiName;
    if (k.oem == page) return k.oemName;
  }
  return nullptr;
}

}  // namespace

unsigned DefaultAnsiCodePage() { return 1252; }

bool FindCodePages(unsigned ansi, TargetCodePages* pages, std::string* why) {
  for (const KnownPage& k : kKnownPages) {
    if (k.ansi == ansi) {
      pages->ansi = k.ansi;
      pages->oem = k.oem;
      return true;
    }
  }
  *why = "code page " + std::to_string(ansi) +
         " is not one vorpack writes: 1252 (Western, OEM 437), 932, 936, 949 or 950";
  return false;
}

namespace {

// UTF-8 into `page` with iconv; `notUtf8` is the reason given for text that is not UTF-8.
bool FromUtf8(const std::string& text, unsigned page, std::string* out, std::string* why,
              const char* notUtf8) {
  if (!DecodeUtf8(text, nullptr)) {
    *why = notUtf8;
    return false;
  }
  const char* name = IconvName(page);
  iconv_t cd = name ? iconv_open(name, "UTF-8") : reinterpret_cast<iconv_t>(-1);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    *why = "this system cannot convert to code page " + std::to_string(page);
    return false;
  }
  out->clear();
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  bool ok = true;
  while (inLeft > 0) {
    char buffer[256];
    char* to = buffer;
    size_t toLeft = sizeof buffer;
    const size_t done = iconv(cd, &in, &inLeft, &to, &toLeft);
    out->append(buffer, static_cast<size_t>(to - buffer));
    if (done == static_cast<size_t>(-1) && errno != E2BIG) {
      *why = "\"" + Utf8CharacterAt(text, static_cast<size_t>(in - text.data())) +
             "\" has no place in code page " + std::to_string(page);
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

bool ConvertUtf8Text(const std::string& text, unsigned page, std::string* out, std::string* why) {
  return FromUtf8(text, page, out, why, "it is not UTF-8 text");
}

bool ConvertTypedText(const std::string& text, unsigned page, std::string* out, std::string* why) {
  return FromUtf8(text, page, out, why,
                  "it is not UTF-8 text (vorpack reads what you type as UTF-8)");
}

bool ShowCodePageText(const std::string& text, unsigned page, std::string* shown) {
  const std::string name = IconvName(page) ? IconvName(page) : "CP" + std::to_string(page);
  iconv_t cd = iconv_open("UTF-8", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  shown->clear();
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  bool ok = true;
  while (inLeft > 0 && ok) {
    char buffer[256];
    char* to = buffer;
    size_t toLeft = sizeof buffer;
    ok = iconv(cd, &in, &inLeft, &to, &toLeft) != static_cast<size_t>(-1) || errno == E2BIG;
    shown->append(buffer, static_cast<size_t>(to - buffer));
  }
  iconv_close(cd);
  return ok;
}

bool NameReachesWindows(const std::string& name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}
