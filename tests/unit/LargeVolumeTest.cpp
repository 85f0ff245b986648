// A volume of 3 GiB: measured, and read past the first 2 GiB. Runs natively and, where
// a long has 32 bits, in the Win32 test program under Wine. The file is sparse: its
// stored file's data is a hole.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "check/ArjHeaders.h"
#include "check/Folder.h"

#ifndef _WIN32
#include <sys/types.h>
// Every file of the native build sees 64-bit file positions, on 32-bit hosts too.
#if !defined(_FILE_OFFSET_BITS) || _FILE_OFFSET_BITS != 64
#error "the native build must define _FILE_OFFSET_BITS=64"
#endif
static_assert(sizeof(off_t) == 8, "64-bit file positions");
#endif

namespace {

void Put(std::string* bytes, size_t at, uint32_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}

// One header: the signature, the basic header's size, the basic header (a fixed part of
// 30 bytes, the name, an empty comment), its CRC and no extended header.
std::string Header(uint8_t type, uint32_t dataSize, const std::string& name) {
  std::string basic(30, '\0');
  basic[0] = 30;  // the fixed part's size
  basic[1] = 11;  // archiver version
  basic[2] = 1;   // version needed
  basic[6] = static_cast<char>(type);
  Put(&basic, 12, dataSize, 4);  // compressed
  Put(&basic, 16, dataSize, 4);  // original
  basic += name + '\0' + '\0';
  std::string header = "\x60\xEA  ";
  Put(&header, 2, static_cast<uint32_t>(basic.size()), 2);
  header += basic + "    " + std::string(2, '\0');
  Put(&header, 4 + basic.size(), arj::Crc32(basic.data(), basic.size()), 4);
  return header;
}

TEST(LargeVolume, ThreeGibibytesAreMeasuredAndReadToTheirEnd) {
  const uint32_t dataSize = 3u << 30;
  const std::string head =
      Header(arj::kMainHeaderType, 0, "big.arj") + Header(0, dataSize, "BIG.DAT");
  const std::string end("\x60\xEA\0\0", 4);
  const std::string path = "large-volume-test.arj";
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(head.data(), 1, head.size(), f);
    ASSERT_TRUE(SeekFile(f, head.size() + uint64_t{dataSize}));
    std::fwrite(end.data(), 1, end.size(), f);
    ASSERT_EQ(std::fclose(f), 0);
  }
  std::string why;
  std::unique_ptr<FileSource> source = FileSource::Open(path, &why);
  ASSERT_TRUE(source) << why;
  EXPECT_EQ(source->Size(), head.size() + uint64_t{dataSize} + end.size());
  const arj::VolumeHeaders v = arj::ReadVolumeHeaders(*source);
  EXPECT_EQ(v.problem, "") << "the end marker lies beyond 3 GiB";
  ASSERT_EQ(v.files.size(), 1u);
  EXPECT_EQ(v.files[0].name, "BIG.DAT");
  EXPECT_EQ(v.files[0].originalSize, dataSize);
#ifdef _WIN32
  // The same file under its long-path form, "\\?\" before the full path: the "?" there
  // is no wildcard.
  char full[1024];
  ASSERT_NE(_fullpath(full, path.c_str(), sizeof full), nullptr);
  source = FileSource::Open(std::string("\\\\?\\") + full, &why);
  ASSERT_TRUE(source) << why;
  EXPECT_EQ(source->Size(), head.size() + uint64_t{dataSize} + end.size());
#endif
  source.reset();
  std::remove(path.c_str());
}

}  // namespace
