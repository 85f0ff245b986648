// Program files with resources, for the tests of the installer's pictures: the smallest
// 32-bit PE file that holds the resources given (one section, .rsrc), and one that holds
// the installer's own logo and icon (read from res/) beside a manifest, as a built
// ZEZADERI.EXE holds them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TestResource {
  uint32_t type, id;
  std::string bytes;
};

// Resources sorted by type, then id; the checksum set when `checksum` is true.
std::string MakeTestProgram(const std::vector<TestResource>& resources, bool checksum);

// Bitmap 169 from res/logo.bmp, icon 128 and its images 1 and 2 from res/ZEZADERI.ico,
// and a manifest (type 24, id 1). `sourceDir` is the source tree.
std::vector<TestResource> OurTestResources(const std::string& sourceDir);
std::string OurTestInstaller(const std::string& sourceDir);
