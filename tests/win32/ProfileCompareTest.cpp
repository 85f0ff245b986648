// Our profile reader against the platform's, on files whose details the installer's
// own rules do not settle.
#include <gtest/gtest.h>

#include "config/ProfileFile.h"
#include "tests/win32/TestSupport.h"

namespace {

struct Lookup {
  const char* section;
  const char* key;
};

void ExpectSameStrings(const std::string& ini, std::initializer_list<Lookup> lookups) {
  TempFolder folder;
  folder.Write("T.INI", ini);
  ProfileFile ours = ProfileFile::Parse(ini);
  for (const Lookup& l : lookups) {
    char buf[100];
    DWORD n = ::GetPrivateProfileStringA(l.section, l.key, "<default>", buf, sizeof buf,
                                         folder.File("T.INI").c_str());
    EXPECT_EQ(ours.GetString(l.section, l.key, "<default>", sizeof buf, CodePage()),
              std::string(buf, n))
        << "[" << l.section << "] " << l.key << " in:\n"
        << ini;
  }
}

TEST(ProfileCompare, BlanksQuotesAndEmptyValues) {
  ExpectSameStrings(
      "[S]\r\na =   spaced value \t\r\nb=\"quoted  \"\r\nc='single'\r\nd=\"mismatched'\r\n"
      "e=\r\nf=   \r\ng=\"\r\nh=''\r\n",
      {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}, {"S", "e"}, {"S", "f"}, {"S", "g"},
       {"S", "h"}, {"S", "missing"}});
}

TEST(ProfileCompare, CaseAndHeaders) {
  ExpectSameStrings(
      "[install]\r\napp_name=lower\r\n[ Spaced ]\r\nk=v\r\n[Open\r\nk2=v2\r\n[X]junk\r\nk3=v3\r\n",
      {{"INSTALL", "App_Name"}, {"Spaced", "k"}, {"Open", "k2"}, {"Spaced", "k2"},
       {" Spaced ", "k"}, {"X", "k3"}});
}

TEST(ProfileCompare, CommentsDuplicatesAndOddLines) {
  ExpectSameStrings(
      "top=before\r\n; note=comment\r\n[S]\r\nk=first\r\nk=second\r\nbare line\r\nx=a=b\r\n"
      "  indented = yes\r\n[S]\r\nlater=second section\r\n",
      {{"S", "k"}, {"S", "x"}, {"S", "indented"}, {"S", "later"}, {"S", "bare line"}});
}

TEST(ProfileCompare, LineEndsAndLongValues) {
  ExpectSameStrings("[S]\nlf=1\r\ncrlf=2\nlong=" + std::string(150, 'x') + "\nlast=3",
                    {{"S", "lf"}, {"S", "crlf"}, {"S", "long"}, {"S", "last"}});
}

}  // namespace
