#include <gtest/gtest.h>

#include <set>
#include <string>

#include "install/RemovalTarget.h"
#include "tests/common/DoubleByteTexts.h"

namespace {

void ExpectRefusal(const std::string& dir, RemovalRefusal why) {
  EXPECT_EQ(CheckRemovalTarget(dir, CodePage()), why) << '"' << dir << '"';
}

}  // namespace

TEST(RemovalTarget, SourceListEndsInTwoNulsAndKeepsTheWholeFolder) {
  const std::string list = BuildDeleteSourceList("C:\\VOR_TEMP");
  EXPECT_EQ(list, std::string("C:\\VOR_TEMP\0\0", 13));

  const std::string exact(498, 'x');
  EXPECT_EQ(BuildDeleteSourceList(exact).size(), 500u);

  const std::string longDir = "C:\\" + std::string(597, 'y');
  const std::string longList = BuildDeleteSourceList(longDir);
  ASSERT_EQ(longList.size(), 602u);
  EXPECT_EQ(longList.compare(0, 600, longDir), 0);
  EXPECT_EQ(longList[600], '\0');
  EXPECT_EQ(longList[601], '\0');
}

TEST(RemovalTarget, InstallFoldersMayBeRemoved) {
  for (const char* dir :
       {"C:\\VOR_TEMP", "C:\\VOR_TEMP\\", "c:/vor_temp/", "D:\\GAMES\\NEW",
        "\\\\server\\share\\folder", "//server/share/folder/", "games", "C:games", "\\GAMES",
        "..\\games", "C:\\VOR_TEMP\\.", "C:\\GAMES\\NEW\\..", "C:\\..\\GAMES", " C:\\VOR_TEMP ",
        "C:\\ GAMES", "C:\\Spi\xE4le", "C:\\.config"}) {
    ExpectRefusal(dir, RemovalRefusal::None);
  }
}

TEST(RemovalTarget, WholeDrivesAreRefused) {
  for (const char* dir : {"C:", "c:", "C:\\", "C:/", "c:\\\\", "C:\\\\\\", "\\", "/", "\\\\",
                          "\\/\\", " \\ ", "C: ", "C:\\ ", " C:\\"}) {
    ExpectRefusal(dir, RemovalRefusal::WholeDrive);
  }
}

TEST(RemovalTarget, DotsThatClimbBackToARootAreRefused) {
  for (const char* dir :
       {"C:\\.", "C:\\..", "C:\\...", "C:.", "C:\\VOR_TEMP\\..", "C:\\VOR_TEMP\\.\\..\\",
        "C:/VOR_TEMP/NEW/../..", "C:\\VOR_TEMP\\.. ", "\\VOR_TEMP\\.."}) {
    ExpectRefusal(dir, RemovalRefusal::WholeDrive);
  }
  ExpectRefusal("\\\\server\\share\\folder\\..", RemovalRefusal::NetworkShareRoot);
  for (const char* dir : {".", "..", ".\\", "..\\", "./..", "games\\..", "games\\..\\.."}) {
    ExpectRefusal(dir, RemovalRefusal::CurrentOrParentFolder);
  }
}

// On a double-byte code page a trail byte 0x5C is part of its character: a folder
// whose name ends in one, then "\..", names the drive. A single-byte code page reads
// the same bytes as it always did (0x5C a separator there).
TEST(RemovalTarget, DoubleByteNamesAreReadByCharacter) {
  for (const DoubleByteTexts& t : kDoubleByteTexts) {
    SCOPED_TRACE(t.codePage);
    const CodePage cp = CodePage::ForNumber(t.codePage);
    const std::string folder = std::string("T:\\") + t.folder;
    EXPECT_EQ(CheckRemovalTarget(folder + "\\..", cp), RemovalRefusal::WholeDrive);
    EXPECT_EQ(CheckRemovalTarget(std::string("T:\\") + t.fiveC + "\\..", cp),
              RemovalRefusal::WholeDrive);
    EXPECT_EQ(CheckRemovalTarget(folder, cp), RemovalRefusal::None);
    EXPECT_EQ(CheckRemovalTarget(std::string("..\\") + t.fiveC, cp), RemovalRefusal::None);
  }
  // The same bytes in a single-byte code page: "T:\<x83>\<x83>t<x83>g\.." is a folder.
  ExpectRefusal("T:\\\x83\\\x83\x74\x83\x67\\..", RemovalRefusal::None);
}

TEST(RemovalTarget, NetworkShareRootsAreRefused) {
  for (const char* dir : {"\\\\server\\share", "\\\\server\\share\\", "\\\\server\\share\\\\",
                          "//server/share", "//server/share/", "\\\\server", "\\\\server\\",
                          "\\\\\\server\\share\\folder", "\\\\.\\C:"}) {
    ExpectRefusal(dir, RemovalRefusal::NetworkShareRoot);
  }
}

TEST(RemovalTarget, EmptyBlankAndWildcardTextsAreRefused) {
  ExpectRefusal("", RemovalRefusal::EmptyText);
  ExpectRefusal(" ", RemovalRefusal::NoFolderName);
  ExpectRefusal("    ", RemovalRefusal::NoFolderName);
  const std::string invalid[] = {"*",
                                 "C:\\*",
                                 "C:\\*.*",
                                 "C:\\VOR_TEMP\\*",
                                 "C:\\?",
                                 "C:\\VOR<",
                                 "C:\\VOR>",
                                 "C:\\\"VOR\"",
                                 "C:\\VOR\tTEMP",
                                 "\t",
                                 std::string("C:\\VOR_TEMP\0C:\\", 15)};
  for (const std::string& dir : invalid) {
    ExpectRefusal(dir, RemovalRefusal::InvalidCharacters);
  }
}

TEST(RemovalTarget, RefusalTextsNameTheFolderAndTheReason) {
  EXPECT_EQ(RemovalRefusalText("C:\\", RemovalRefusal::WholeDrive),
            "Cannot remove \"C:\\\": it is a whole drive, not an install folder.");
  EXPECT_EQ(RemovalRefusalText("C:\\VOR_TEMP", RemovalRefusal::None), "");
  EXPECT_EQ(RemovalRefusalText("", RemovalRefusal::EmptyText),
            "Cannot remove the install folder: no folder is named.");
  EXPECT_EQ(RemovalRefusalText(std::string("A\0B\tC", 5), RemovalRefusal::InvalidCharacters)
                .substr(0, 22),
            "Cannot remove \"A?B?C\":");
  EXPECT_EQ(std::string(kRemovalCaption), "Remove Install Directory");
}

TEST(RemovalTarget, EveryRefusalHasItsOwnReason) {
  const RemovalRefusal all[] = {
      RemovalRefusal::EmptyText,         RemovalRefusal::NoFolderName,
      RemovalRefusal::InvalidCharacters, RemovalRefusal::WholeDrive,
      RemovalRefusal::NetworkShareRoot,  RemovalRefusal::CurrentOrParentFolder};
  std::set<std::string> texts;
  const std::string head = "Cannot remove \"D:\\X\": ";
  for (RemovalRefusal why : all) {
    const std::string text = RemovalRefusalText("D:\\X", why);
    ASSERT_GT(text.size(), head.size() + 10);
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.back(), '.');
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), std::size(all));
}
