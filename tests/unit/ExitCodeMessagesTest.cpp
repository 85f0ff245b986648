#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "install/ExitCodeMessages.h"

TEST(ExitCodeMessages, EachListedCodeHasItsMessageAtTwoHundredPlusCode) {
  const struct {
    uint32_t code;
    const char* message;
  } table[] = {
      {1, "Archive File Not Found"},
      {2, "Fatal Error"},
      {3, "CRC Error"},
      {4, "Unknown Error"},
      {5, "Disk Write Error"},
      {6, "File Missing or Corrupt"},
      {7, "Invalid Parameters"},
      {8, "Not Enough Memory"},
      {9, "Not a Valid Archive"},
      {12, "User Cancelled Operation"},
  };
  for (const auto& entry : table) {
    EXPECT_STREQ(ExitCodeMessage(entry.code), entry.message) << entry.code;
    EXPECT_EQ(ExitCodeStringId(entry.code), 200u + entry.code) << entry.code;
  }
}

TEST(ExitCodeMessages, CodesWithoutAnEntryGiveAnEmptyText) {
  for (uint32_t code :
       {0u, 10u, 11u, 13u, 99u, 100u, 259u, 65548u, 0x80000003u, 0xC0000005u, 0xFFFFFFFFu}) {
    ASSERT_NE(ExitCodeMessage(code), nullptr) << code;
    EXPECT_STREQ(ExitCodeMessage(code), "") << code;
  }
  EXPECT_EQ(ExitCodeStringId(10), 210u);
  EXPECT_EQ(ExitCodeStringId(11), 211u);
}

TEST(ExitCodeMessages, LargeCodesNeverReachAnotherString) {
  // String ids are looked up by their low 16 bits, and 200 + code wraps
  // past 32 bits: neither may lead a large code to a listed message or to
  // the file error texts at 61856..61870.
  for (uint32_t listed : {1u, 5u, 9u, 12u}) {
    for (uint32_t high = 1; high < 0x10000u; high += 0x1111u) {
      EXPECT_EQ(ExitCodeStringId((high << 16) + listed), kNoExitCodeStringId);
    }
  }
  for (uint32_t code :
       {100u, 61656u, 61670u, 65335u, 0xC0000005u, 0xFFFFFF38u, 0xFFFFFF44u, 0xFFFFFFFFu}) {
    EXPECT_EQ(ExitCodeStringId(code), kNoExitCodeStringId) << code;
  }
}

TEST(ExitCodeMessages, EveryStringIdLeadsBackToItsOwnCode) {
  for (uint32_t code = 0; code < 70000; ++code) {
    const unsigned id = ExitCodeStringId(code);
    if (id == kNoExitCodeStringId) {
      EXPECT_STREQ(ExitCodeMessage(code), "") << code;
      continue;
    }
    EXPECT_GE(id, 200u);
    EXPECT_LE(id, 299u);
    EXPECT_EQ(id - 200u, code);
  }
}
