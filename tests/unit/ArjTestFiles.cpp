#include "tests/unit/ArjTestFiles.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "check/ArjHeaders.h"

namespace {

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

}  // namespace

TempDir::TempDir() {
  char pattern[] = "/tmp/vorcheck-test.XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
  m_path = made ? made : "/nonexistent";
}

TempDir::~TempDir() { Run("rm -rf " + ShellQuote(m_path)); }

void TempDir::Write(const std::string& name, const std::string& bytes) const {
  const size_t slash = name.rfind('/');
  if (slash != std::string::npos) Run("mkdir -p " + ShellQuote(File(name.substr(0, slash))));
  std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << File(name);
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void TempDir::Remove(const std::string& name) const { std::remove(File(name).c_str()); }

std::string NoiseBytes(size_t size, uint32_t seed) {
  std::string out(size, '\0');
  uint32_t x = seed;
  for (char& c : out) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>((x >> 16) & 0xFF);
  }
  return out;
}

bool MakeArj(const std::string& dir, const std::string& options, const std::string& archive,
             const std::vector<std::string>& names) {
  if (!Run("command -v arj >/dev/null 2>&1")) {
    ADD_FAILURE() << "Debian's arj is not installed: the checker's tests make real archives "
                     "with it (tools/setup-deps.sh installs it)";
    return false;
  }
  std::string command =
      "cd " + ShellQuote(dir) + " && arj a -y -2d " + options + " " + ShellQuote(archive);
  for (const std::string& n : names) command += " " + ShellQuote(n);
  command += " </dev/null >/dev/null 2>&1";
  if (!Run(command)) {
    ADD_FAILURE() << "arj failed: " << command;
    return false;
  }
  return true;
}

void FixHeaderCrc(std::string* volume, size_t headerOffset) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(volume->data()) + headerOffset;
  const size_t size = p[2] | (p[3] << 8);
  const uint32_t crc = arj::Crc32(p + 4, size);
  for (int i = 0; i < 4; ++i) {
    (*volume)[headerOffset + 4 + size + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
  }
}
