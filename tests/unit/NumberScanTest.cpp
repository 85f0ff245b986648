#include "framework/NumberScan.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(NumberScan, ScanReadsBackWhatPercentUWrote) {
  for (uint32_t value : {0u, 1u, 8192u, 4294967295u}) {
    char written[16];
    std::snprintf(written, sizeof written, "%u", value);
    uint32_t read = 12345;
    EXPECT_TRUE(ScanUnsignedDecimal(written, &read)) << written;
    EXPECT_EQ(read, value);
  }
  uint32_t read = 0;
  EXPECT_TRUE(ScanUnsignedDecimal("  \t42 \t", &read));
  EXPECT_EQ(read, 42u);
  EXPECT_TRUE(ScanUnsignedDecimal("007", &read));
  EXPECT_EQ(read, 7u);
}

TEST(NumberScan, ScanRefusesWhatIsNoUnsignedNumber) {
  for (const char* text : {"", "   ", "-1", "- 1", "+1", "12a", "1 2", "0x10", "a1", "4294967296",
                           "99999999999999999999999", "1\n", "1.5"}) {
    uint32_t read = 777;
    EXPECT_FALSE(ScanUnsignedDecimal(text, &read)) << '"' << text << '"';
    EXPECT_EQ(read, 777u) << '"' << text << '"';
  }
  EXPECT_FALSE(ScanUnsignedDecimal(std::string("5\0", 2), nullptr));
}

}  // namespace
