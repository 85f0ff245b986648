#include "config/ProfileFile.h"

#include <gtest/gtest.h>

namespace {

std::string Get(const std::string& text, const std::string& section, const std::string& key,
                size_t buffer = 100) {
  return ProfileFile::Parse(text).GetString(section, key, "<default>", buffer, CodePage());
}

TEST(ProfileFile, NamesMatchWithoutRegardToCase) {
  const std::string ini = "[install]\napp_name=Lower\n[DeCoMpReSsIoN]\nUSE_PROGRAM=pk\n";
  EXPECT_EQ(Get(ini, "INSTALL", "App_Name"), "Lower");
  EXPECT_EQ(Get(ini, "DECOMPRESSION", "Use_Program"), "pk");
}

TEST(ProfileFile, AbsentKeySectionOrFileYieldsDefault) {
  EXPECT_EQ(Get("[INSTALL]\nOther=1\n", "INSTALL", "App_Name"), "<default>");
  EXPECT_EQ(Get("[ELSEWHERE]\nApp_Name=x\n", "INSTALL", "App_Name"), "<default>");
  EXPECT_EQ(ProfileFile().GetString("INSTALL", "App_Name", "d", 100, CodePage()), "d");
  EXPECT_EQ(ProfileFile().GetInt("INSTALL", "Total_Disks", 10), 10u);
  // A key is looked up in its own section only.
  EXPECT_EQ(Get("[DECOMPRESSION]\nApp_Name=x\n", "INSTALL", "App_Name"), "<default>");
}

TEST(ProfileFile, ValuesLoseBlanksAndOnePairOfQuotes) {
  const std::string ini =
      "[S]\n"
      "a =   spaced value \t\r\n"
      "b=\"quoted  \"\n"
      "c='single'\n"
      "d=\"mismatched'\n"
      "e=\"\"\"\n"
      "f=\"\n"
      "g=\n"
      "h=   \n";
  EXPECT_EQ(Get(ini, "S", "a"), "spaced value");
  EXPECT_EQ(Get(ini, "S", "b"), "quoted  ");
  EXPECT_EQ(Get(ini, "S", "c"), "single");
  EXPECT_EQ(Get(ini, "S", "d"), "\"mismatched'");
  EXPECT_EQ(Get(ini, "S", "e"), "\"");
  EXPECT_EQ(Get(ini, "S", "f"), "\"");
  // A present key with an empty value yields the empty text, not the default.
  EXPECT_EQ(Get(ini, "S", "g"), "");
  EXPECT_EQ(Get(ini, "S", "h"), "");
}

TEST(ProfileFile, LongValuesAreCutToTheBuffer) {
  const std::string value(150, 'x');
  EXPECT_EQ(Get("[S]\nk=" + value + "\n", "S", "k", 100), std::string(99, 'x'));
  EXPECT_EQ(Get("[S]\nk=" + value + "\n", "S", "k", 1000), value);
  EXPECT_EQ(ProfileFile().GetString("S", "k", value, 100, CodePage()).size(), 99u);
}

TEST(ProfileFile, IntegersReadTheNumberAtTheStart) {
  const std::string ini =
      "[S]\nabc=abc\nneg=-5\ndisks=12 disks\nplus=+7\nquoted='42'\nempty=\n"
      "big=4294967295\nwrap=4294967296\nhex=0x10\nspaced=  3\n";
  ProfileFile f = ProfileFile::Parse(ini);
  EXPECT_EQ(f.GetInt("S", "abc", 9), 0u);
  EXPECT_EQ(f.GetInt("S", "neg", 9), 0u);
  EXPECT_EQ(f.GetInt("S", "disks", 9), 12u);
  EXPECT_EQ(f.GetInt("S", "plus", 9), 7u);
  EXPECT_EQ(f.GetInt("S", "quoted", 9), 42u);
  EXPECT_EQ(f.GetInt("S", "empty", 9), 0u);
  EXPECT_EQ(f.GetInt("S", "big", 9), 4294967295u);
  EXPECT_EQ(f.GetInt("S", "wrap", 9), 0u);
  EXPECT_EQ(f.GetInt("S", "hex", 9), 0u);
  EXPECT_EQ(f.GetInt("S", "spaced", 9), 3u);
  EXPECT_EQ(f.GetInt("S", "missing", 9), 9u);
  // What the scan notes for whoever explains a value.
  EXPECT_FALSE(ProfileFile::ScanNumber("4294967295").wrapped);
  EXPECT_TRUE(ProfileFile::ScanNumber("4294967296").wrapped);
  EXPECT_TRUE(ProfileFile::ScanNumber("-5").negative);
  EXPECT_FALSE(ProfileFile::ScanNumber("-5").isNumber);
  EXPECT_TRUE(ProfileFile::ScanNumber("+7").isNumber);
}

TEST(ProfileFile, SyntaxDetails) {
  const std::string ini =
      "\xEF\xBB\xBF"
      "top=before any section\n"
      "; comment=not a key\n"
      "[ S ]\n"
      "no equals sign here\n"
      "k=first\n"
      "k=second\n"
      "  indented = yes\n"
      "x=a=b\n"
      "[S]\n"
      "later=in a second section of the same name\n"
      "[T\n"
      "open=header without bracket\n"
      "[U]junk\n"
      "u=after junk\n";
  EXPECT_EQ(Get(ini, "S", "k"), "first");
  EXPECT_EQ(Get(ini, "S", "indented"), "yes");
  EXPECT_EQ(Get(ini, "S", "x"), "a=b");
  EXPECT_EQ(Get(ini, "S", "no equals sign here"), "<default>");
  EXPECT_EQ(Get(ini, "S", "; comment"), "<default>");
  EXPECT_EQ(Get(ini, "S", "later"), "<default>");
  EXPECT_EQ(Get(ini, "T", "open"), "<default>");
  EXPECT_EQ(Get(ini, "S", "open"), "<default>");  // S's second header: not searched
  EXPECT_EQ(Get(ini, "U", "u"), "after junk");
  EXPECT_EQ(Get(ini, "", "top"), "<default>");
}

TEST(ProfileFile, LineEndsOfEveryKind) {
  const std::string ini = "[S]\r\na=1\r\nb=2\nc=3";
  EXPECT_EQ(Get(ini, "S", "a"), "1");
  EXPECT_EQ(Get(ini, "S", "b"), "2");
  EXPECT_EQ(Get(ini, "S", "c"), "3");
}

}  // namespace
