// Folders and real ARJ archives for the checker's tests. The archives are made at test
// time by Debian's arj; without it the tests fail and say so.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;  // makes folders
  std::string Read(const std::string& name) const;                      // "" when absent
  void Remove(const std::string& name) const;

 private:
  std::string m_path;
};

// Bytes that do not compress, the same for the same seed.
std::string NoiseBytes(size_t size, uint32_t seed);

// Runs "arj a -y -2d <options> <archive> <names>" in `dir` (as vorpack makes volumes, in
// ARJ's DOS-compatible mode) (names relative to it); false,
// with a test failure that says why, when arj is missing or fails.
bool MakeArj(const std::string& dir, const std::string& options, const std::string& archive,
             const std::vector<std::string>& names);

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A header's basic part starts 4 bytes after its offset; rewrites its CRC after a test
// has changed it.
void FixHeaderCrc(std::string* volume, size_t headerOffset);
