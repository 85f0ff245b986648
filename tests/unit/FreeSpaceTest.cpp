#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "install/FreeSpace.h"

namespace {

// The dialog's whole free-space computation, with the platform's query
// replaced by fixed figures: what static 1016 ends up showing.
uint32_t ShownFreeSpace(const std::string& folder, uint32_t freeClusters,
                        uint32_t sectorsPerCluster, uint32_t bytesPerSector) {
  const DriveQuery query = DecideDriveQuery(DriveNumberFromFolder(AsciiUpper(folder)));
  if (query.kind == DriveQueryKind::NotQueried) freeClusters = 0;
  return FreeMegabytes(freeClusters, sectorsPerCluster, bytesPerSector);
}

}  // namespace

TEST(FreeSpace, DriveNumberComesFromTheFirstCharacter) {
  EXPECT_EQ(DriveNumberFromFolder("A:\\"), 1);
  EXPECT_EQ(DriveNumberFromFolder("C:\\VOR_TEMP"), 3);
  EXPECT_EQ(DriveNumberFromFolder("Z"), 26);
  EXPECT_EQ(DriveNumberFromFolder("GAMES"), 7);
  EXPECT_EQ(DriveNumberFromFolder("@"), 0);
  EXPECT_EQ(DriveNumberFromFolder(""), -64);
  EXPECT_EQ(DriveNumberFromFolder("\\\\SERVER\\SHARE"), 28);
  EXPECT_EQ(DriveNumberFromFolder("c:\\games"), 35);
  EXPECT_EQ(DriveNumberFromFolder(AsciiUpper("c:\\games")), 3);
  EXPECT_EQ(DriveNumberFromFolder("\xC4:\\"), -124);
  EXPECT_EQ(AsciiUpper("c:\\games\xE4z"), "C:\\GAMES\xE4Z");
}

TEST(FreeSpace, OnlyDriveNumbersZeroToTwentySixAreQueried) {
  const DriveQuery current = DecideDriveQuery(0);
  EXPECT_EQ(current.kind, DriveQueryKind::CurrentDrive);
  EXPECT_EQ(current.rootPath, "");
  for (int number : {1, 3, 26}) {
    const DriveQuery query = DecideDriveQuery(number);
    EXPECT_EQ(query.kind, DriveQueryKind::RootPath);
    const std::string expected{static_cast<char>('@' + number), ':', '\\'};
    EXPECT_EQ(query.rootPath, expected);
    EXPECT_EQ(query.error, 0u);
  }
  for (int number : {27, 28, 35, 191, -1, -64, -124, INT_MIN, INT_MAX}) {
    const DriveQuery query = DecideDriveQuery(number);
    EXPECT_EQ(query.kind, DriveQueryKind::NotQueried) << number;
    EXPECT_EQ(query.rootPath, "") << number;
    EXPECT_EQ(query.error, 87u) << number;
  }
}

TEST(FreeSpace, MegabytesAreMillionsOfBytesTruncated) {
  EXPECT_EQ(FreeMegabytes(488, 8, 512), 1u);
  EXPECT_EQ(FreeMegabytes(2000000, 8, 512), 8192u);
  EXPECT_EQ(FreeMegabytes(1000000, 1, 1), 1u);
  EXPECT_EQ(FreeMegabytes(999999, 1, 1), 0u);
  EXPECT_EQ(FreeMegabytes(0, 64, 4096), 0u);
  EXPECT_EQ(FreeMegabytes(0xFFFFFFFFu, 0, 512), 0u);
}

TEST(FreeSpace, LargeDrivesNeitherWrapNorOverflow) {
  // 32-bit arithmetic would wrap long before these figures.
  EXPECT_EQ(FreeMegabytes(0xFFFFFFFFu, 64, 4096), 1125899906u);
  EXPECT_EQ(FreeMegabytes(100000000, 8, 512), 409600u);
  // Beyond what the 32-bit number can hold, or beyond 64 bits of bytes.
  EXPECT_EQ(FreeMegabytes(0xFFFFFFFFu, 65536, 65536), 0xFFFFFFFFu);
  EXPECT_EQ(FreeMegabytes(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFFu);
}

TEST(FreeSpace, FoldersThatNameNoDriveShowZero) {
  EXPECT_EQ(ShownFreeSpace("c:\\games", 2000000, 8, 512), 8192u);
  EXPECT_EQ(ShownFreeSpace("games", 488, 8, 512), 1u);
  EXPECT_EQ(ShownFreeSpace("\\\\server\\share\\games", 2000000, 8, 512), 0u);
  EXPECT_EQ(ShownFreeSpace("", 2000000, 8, 512), 0u);
  EXPECT_EQ(ShownFreeSpace("1:\\", 2000000, 8, 512), 0u);
}

