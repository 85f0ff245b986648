#include <gtest/gtest.h>

#include "check/ArjHeaders.h"
#include "tests/unit/ArjTestFiles.h"

namespace {

arj::VolumeHeaders ReadBytes(const std::string& bytes) {
  MemorySource source(bytes.data(), bytes.size());
  return arj::ReadVolumeHeaders(source);
}

// Four files; BIG.DAT (200,000 bytes that do not compress) spans volumes of 60 KB.
class MultiVolume : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("files/BIG.DAT", NoiseBytes(200000, 2));
    dir.Write("files/setup.exe", "MZ" + std::string(5000, 'x'));
    dir.Write("files/sub/inner.txt", "hi\n");
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + " of the readme\n";
    dir.Write("files/readme.txt", text);
    made = MakeArj(dir.File("files"), "-r -v60K", "../pkg.arj",
                   {"BIG.DAT", "setup.exe", "sub/inner.txt", "readme.txt"});
    unpacked = 200000 + 5002 + 3 + text.size();
  }

  std::vector<arj::VolumeHeaders> ReadAll() {
    std::vector<arj::VolumeHeaders> volumes;
    for (unsigned i = 0; made; ++i) {
      std::string why;
      auto source = FileSource::Open(dir.File(arj::VolumeName("pkg.arj", i)), &why);
      if (!source) break;
      volumes.push_back(arj::ReadVolumeHeaders(*source));
    }
    return volumes;
  }

  TempDir dir;
  bool made = false;
  uint64_t unpacked = 0;
};

TEST_F(MultiVolume, ASplitFileCountsOnceWithItsWholeSize) {
  ASSERT_TRUE(made);
  const std::vector<arj::VolumeHeaders> volumes = ReadAll();
  ASSERT_GE(volumes.size(), 4u);
  arj::SetTally tally;
  std::vector<std::string> problems;
  for (size_t i = 0; i < volumes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(volumes[i].problem, "");
    EXPECT_EQ(volumes[i].mainHeaderOffset, 0u);
    EXPECT_EQ(volumes[i].ContinuesOnNext(), i + 1 < volumes.size());
    tally.Add(volumes[i], &problems);
  }
  tally.Finish(&problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(tally.UnpackedBytes(), unpacked);
  EXPECT_EQ(tally.FileCount(), 4u);
  const std::vector<std::string>& names = tally.FileNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "sub/inner.txt"), names.end());
  // The middle volumes hold nothing but pieces of BIG.DAT.
  EXPECT_EQ(volumes[1].files.size(), 1u);
  EXPECT_TRUE(volumes[1].files[0].ContinuedFromPrevious());
  EXPECT_TRUE(volumes[1].files[0].ContinuesOnNext());
}

TEST_F(MultiVolume, AMissingOrMisplacedVolumeIsFound) {
  ASSERT_TRUE(made);
  const std::vector<arj::VolumeHeaders> v = ReadAll();
  ASSERT_GE(v.size(), 4u);
  // The first problem of a set made of these volumes, in this order.
  auto firstProblem = [&v](std::vector<size_t> order) {
    arj::SetTally tally;
    std::vector<std::string> problems;
    for (size_t i : order) tally.Add(v[i], &problems);
    tally.Finish(&problems);
    return problems.empty() ? std::string() : problems[0];
  };
  EXPECT_TRUE(Has(firstProblem({0, 2}), "does not go on where BIG.DAT ended"));
  EXPECT_TRUE(Has(firstProblem({0}), "continued on a volume after the last one"));
  EXPECT_TRUE(Has(firstProblem({1}), "does not hold its beginning"));
}

TEST(ArjVolumeName, FollowsTheDecompressorsNaming) {
  EXPECT_EQ(arj::VolumeName("vorpkg.arj", 0), "vorpkg.arj");
  EXPECT_EQ(arj::VolumeName("vorpkg.arj", 1), "vorpkg.a01");
  EXPECT_EQ(arj::VolumeName("VORPKG.ARJ", 42), "VORPKG.A42");
  EXPECT_EQ(arj::VolumeName("vorpkg.arj", 99), "vorpkg.a99");
  EXPECT_EQ(arj::VolumeName("vorpkg.arj", 100), "vorpkg.100");
  EXPECT_EQ(arj::VolumeName("disk.5rj", 1), "disk.001");  // a digit before the last two
}

// Damage made from a real archive of three small files.
class Damaged : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("a.txt", NoiseBytes(300, 1));
    dir.Write("b.bin", NoiseBytes(200, 2));
    dir.Write("c.txt", "c\n");
    ASSERT_TRUE(MakeArj(dir.Path(), "", "one.arj", {"a.txt", "b.bin", "c.txt"}));
    good = dir.Read("one.arj");
    clean = ReadBytes(good);
    ASSERT_EQ(clean.problem, "");
    ASSERT_EQ(clean.files.size(), 3u);
  }

  // Offsets of every byte that belongs to a header (main and file headers with their
  // CRCs and the end marker); the rest is compressed data.
  std::vector<bool> HeaderBytes() const {
    std::vector<bool> header(good.size(), true);
    for (const arj::FileHeader& f : clean.files) {
      const size_t basic = static_cast<unsigned char>(good[f.offset + 2]) |
                           (static_cast<unsigned char>(good[f.offset + 3]) << 8);
      const size_t data = f.offset + 4 + basic + 4 + 2;
      for (size_t i = data; i < data + f.compressedSize; ++i) header[i] = false;
    }
    return header;
  }

  TempDir dir;
  std::string good;
  arj::VolumeHeaders clean;
};

TEST_F(Damaged, EveryTruncationIsReported) {
  for (size_t size = 0; size < good.size(); ++size) {
    const arj::VolumeHeaders v = ReadBytes(good.substr(0, size));
    EXPECT_NE(v.problem, "") << "cut to " << size << " bytes";
  }
}

TEST_F(Damaged, AFlippedHeaderByteIsReportedAndTheDataIsNeverRead) {
  const std::vector<bool> header = HeaderBytes();
  for (size_t i = 0; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x20);
    const arj::VolumeHeaders v = ReadBytes(bad);
    if (header[i]) {
      EXPECT_NE(v.problem, "") << "byte " << i;
    } else {
      EXPECT_EQ(v.problem, "") << "data byte " << i;
      EXPECT_EQ(v.files.size(), 3u);
    }
  }
}

TEST_F(Damaged, HostileLengthsWithRightCrcsAreRefused) {
  const size_t file = clean.files[0].offset;
  struct Case {
    const char* what;
    size_t at;  // offset of the changed byte within the header
    unsigned char to;
    const char* expected;
  };
  const Case cases[] = {
      {"header size above 2600", 3, 0x0B, "outside 30 to 2600"},
      {"header size below 30", 2, 0x10, "outside 30 to 2600"},
      {"fixed part beyond the header", 4, 0xFF, "does not fit"},
      {"compressed size of 4 GB", 4 + 15, 0xFF, "runs past the end"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bad = good;
    bad[file + c.at] = static_cast<char>(c.to);
    if (c.at >= 4) FixHeaderCrc(&bad, file);
    const arj::VolumeHeaders v = ReadBytes(bad);
    EXPECT_NE(v.problem.find(c.expected), std::string::npos) << v.problem;
  }
  // A name without its terminating zero: every byte after the fixed part made nonzero.
  std::string bad = good;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bad.data()) + file;
  const size_t size = p[2] | (p[3] << 8);
  for (size_t i = 4 + p[4]; i < 4 + size; ++i) bad[file + i] = 'n';
  FixHeaderCrc(&bad, file);
  EXPECT_NE(ReadBytes(bad).problem.find("terminating zero"), std::string::npos);
  // An extended header that claims more than the volume holds.
  bad = good;
  const size_t ext = file + 4 + size + 4;
  bad[ext] = '\xFF';
  bad[ext + 1] = '\xFF';
  EXPECT_NE(ReadBytes(bad).problem.find("extended header"), std::string::npos);
}

TEST_F(Damaged, ASelfExtractorStubIsPassedOver) {
  std::string stub = "MZ" + NoiseBytes(5000, 9);
  stub[100] = '\x60';  // a stray signature in the stub is no header
  stub[101] = '\xEA';
  const arj::VolumeHeaders v = ReadBytes(stub + good);
  EXPECT_EQ(v.problem, "");
  EXPECT_EQ(v.mainHeaderOffset, stub.size());
  EXPECT_EQ(v.files.size(), 3u);

  EXPECT_NE(ReadBytes(std::string(arj::kStubSearchLimit, 'x') + good).problem,
            "");  // beyond the search window
  EXPECT_NE(ReadBytes("plain text, no archive").problem.find("not an ARJ archive"),
            std::string::npos);
  EXPECT_NE(ReadBytes("").problem.find("empty"), std::string::npos);
}

}  // namespace
