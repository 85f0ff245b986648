#include "check/PackageContents.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

// Whether the profile reader would hand the value back changed.
bool ReaderChanges(const std::string& v) {
  if (v.empty()) return false;
  if (Blank(v.front()) || Blank(v.back())) return true;
  return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

std::string Plural(size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

std::string ConfigFileText(const ConfigValues& values) {
  std::string text;
  for (const char* section : {"INSTALL", "DECOMPRESSION"}) {
    text += std::string(text.empty() ? "" : "\r\n") + "[" + section + "]\r\n";
    for (int i = 0; i < kSettingKeyCount; ++i) {
      if (std::string(kSettingKeys[i].section) != section) continue;
      const std::string& v = values[i];
      text += std::string(kSettingKeys[i].name) + "=" + (ReaderChanges(v) ? "\"" + v + "\"" : v) +
              "\r\n";
    }
  }
  return text;
}

std::string WithAmpersandsShown(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += c;
  }
  return out;
}

std::string NfoText(const DescriptionFacts& f) {
  const std::string volumes = f.volumes == 1 ? "1 (" + f.firstVolume + ")"
                                             : std::to_string(f.volumes) + " (" + f.firstVolume +
                                                   " to " + f.lastVolume + ")";
  return WithAmpersandsShown(f.title) + "\r\n" + std::string(f.title.size(), '=') + "\r\n\r\n" +
         "Volumes ...... " + volumes + "\r\n" + "Needs ........ " + std::to_string(f.megabytes) +
         " MB on the target drive\r\n" + "Installs to .. " + WithAmpersandsShown(f.folder) +
         " (or a folder you choose)\r\n" + "Then starts .. " + WithAmpersandsShown(f.setup) +
         "\r\n";
}

std::string FileIdText(const DescriptionFacts& f) {
  return WithAmpersandsShown(f.title) + " (" + Plural(f.volumes, "disk") + ")\r\n";
}
