// Text like a decompressor's log, for the benchmarks: CR LF line ends, now and then a
// lone LF, an ampersand, a tab or a byte above 127.
#pragma once
#include <cstdio>
#include <string>

inline std::string LogText(size_t bytes) {
  std::string text;
  text.reserve(bytes + 128);
  char line[160];
  for (unsigned n = 0; text.size() < bytes; ++n) {
    int len = std::snprintf(line, sizeof line,
                            "Extracting  VOLUME%03u.A%02u  FILE%05u.DAT%s  %u bytes%s",
                            n % 997, n % 100, n, (n % 17 == 0) ? " R&D" : "",
                            n * 7919u % 100000u, (n % 31 == 0) ? "\t\xB3" : "");
    text.append(line, static_cast<size_t>(len));
    text.append((n % 13 == 0) ? "\n" : "\r\n");
  }
  text.resize(bytes);
  return text;
}
