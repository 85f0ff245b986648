// Time of a whole package check (vorcheck's work) on a package of 100 volumes and
// 10,000 stored files, written here: headers with right CRCs, one file in each volume
// continued on the next, a few bytes of data per file.
//
// Built as build/native/vorcheck_bench (with the sanitizers of that build). Figures
// without them (from the repository root):
//   g++ -std=c++17 -O2 -I. config/ProfileFile.cpp config/InstallSettings.cpp config/DriveRoot.cpp
//       check/ArjHeaders.cpp check/PackageCheck.cpp
//       check/FolderPosix.cpp tests/bench/vorcheck_bench.cpp -o /tmp/vorcheck_bench
//   /tmp/vorcheck_bench [runs]

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "check/ArjHeaders.h"
#include "check/PackageCheck.h"

namespace {

constexpr unsigned kVolumes = 100;
constexpr unsigned kFilesPerVolume = 100;
constexpr uint32_t kDataBytes = 16;

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, size_t at, uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

// One header: signature, size, basic header, CRC, no extended header.
std::string Header(uint8_t type, uint8_t flags, const std::string& name, uint32_t compressed,
                   uint32_t original, uint32_t resume) {
  const size_t fixed = type == arj::kMainHeaderType ? 34 : 46;
  std::string basic(fixed, '\0');
  basic[0] = static_cast<char>(fixed);
  basic[1] = 11;
  basic[2] = 1;
  basic[3] = 2;
  basic[4] = static_cast<char>(flags);
  basic[6] = static_cast<char>(type);
  Put32(basic, 12, compressed);
  Put32(basic, 16, original);
  Put32(basic, 30, resume);
  basic += name + '\0' + '\0';
  std::string h = "\x60\xEA  ";
  Put16(h, 2, static_cast<uint32_t>(basic.size()));
  h += basic + "    " + std::string(2, '\0');
  Put32(h, 4 + basic.size(), arj::Crc32(basic.data(), basic.size()));
  return h;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// The package; returns its unpacked size.
uint64_t MakePackage(const std::string& dir) {
  uint64_t unpacked = 0;
  uint32_t carried = 0;  // bytes of the split file in earlier volumes
  for (unsigned v = 0; v < kVolumes; ++v) {
    const bool last = v + 1 == kVolumes;
    const std::string name = arj::VolumeName("bench.arj", v);
    std::string bytes = Header(arj::kMainHeaderType, last ? 0 : arj::kVolumeFlag, name, 0, 0, 0);
    for (unsigned i = 0; i < kFilesPerVolume; ++i) {
      const bool continued = v > 0 && i == 0;
      const bool goesOn = !last && i + 1 == kFilesPerVolume;
      uint8_t flags = 0;
      if (continued) flags |= arj::kExtFileFlag;
      if (goesOn) flags |= arj::kVolumeFlag;
      const std::string file = continued ? "data/split" + std::to_string(v - 1) + ".bin"
                                         : (v == 0 && i == 0 ? std::string("setup.exe")
                                                             : "data/f" + std::to_string(v) + "_" +
                                                                   std::to_string(i) + ".bin");
      const std::string shown = goesOn ? "data/split" + std::to_string(v) + ".bin" : file;
      const uint32_t original = 1000 + i;
      bytes += Header(0, flags, shown, kDataBytes, original, continued ? carried : 0);
      bytes += std::string(kDataBytes, 'd');
      unpacked += original;
      carried = goesOn ? original : 0;
    }
    bytes += std::string("\x60\xEA\0\0", 4);
    if (!WriteFile(dir + "/" + name, bytes)) return 0;
  }
  const std::string ini = "[INSTALL]\nApp_Name=Bench\nApp_Setup=setup.exe\nSpace_Required=" +
                          std::to_string(unpacked / 1000000 + 1) +
                          "\n[DECOMPRESSION]\nFirst_File=bench.arj\n"
                          "Total_Disks=" +
                          std::to_string(kVolumes) + "\n";
  if (!WriteFile(dir + "/VOR.INI", ini) || !WriteFile(dir + "/VOR.nfo", "n") ||
      !WriteFile(dir + "/file_id.diz", "d") || !WriteFile(dir + "/ARJ.exe", "MZ")) {
    return 0;
  }
  return unpacked;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  char pattern[] = "/tmp/vorcheck-bench.XXXXXX";
  const char* dir = mkdtemp(pattern);
  const uint64_t unpacked = dir ? MakePackage(dir) : 0;
  if (unpacked == 0) {
    std::fprintf(stderr, "vorcheck_bench: cannot write the package under /tmp\n");
    return 1;
  }
  std::vector<double> millis;
  PackageReport report;
  for (int r = 0; r < runs; ++r) {
    const auto start = std::chrono::steady_clock::now();
    report = CheckPackage(dir, "", CodePage());
    millis.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(millis.begin(), millis.end());
  const size_t files = report.archives.empty() ? 0 : report.archives[0].files;
  std::printf("package: %u volumes, %zu files, %llu bytes unpacked, %zu findings (exit %d)\n",
              kVolumes, files, static_cast<unsigned long long>(unpacked), report.findings.size(),
              report.ExitStatus());
  for (const Finding& f : report.findings) std::printf("  %s\n", FormatFinding(f).c_str());
  std::printf("check: best %.1f ms, median %.1f ms, worst %.1f ms over %d runs\n", millis.front(),
              millis[millis.size() / 2], millis.back(), runs);
  std::system(("rm -rf " + std::string(dir)).c_str());
  return 0;
}
