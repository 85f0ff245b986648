#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "install/LogLineRules.h"

#ifndef VOR_FIXTURE_DIR
#define VOR_FIXTURE_DIR "tests/fixtures"
#endif

namespace {

void ExpectMatch(const std::string& line, LogLineKind kind, const std::string& text) {
  const LogLineMatch match = MatchLogLine(line);
  EXPECT_EQ(match.kind, kind) << "line: \"" << line << "\"";
  EXPECT_EQ(match.text, text) << "line: \"" << line << "\"";
}

void ExpectNoMatch(const std::string& line) { ExpectMatch(line, LogLineKind::None, ""); }

}  // namespace

TEST(LogLineRules, ArchiveAnnouncementsGiveTheSourceText) {
  ExpectMatch("Processing archive:", LogLineKind::Source, "");
  ExpectMatch("Processing archive: ", LogLineKind::Source, "");
  ExpectMatch("Processing archive: E:\\SETUP\\VOR.ARJ", LogLineKind::Source, "E:\\SETUP\\VOR.ARJ");
  ExpectMatch("Processing archive: E:\\SETUP\\VOR.A01  (2 of 10)", LogLineKind::Source,
              "E:\\SETUP\\VOR.A01  (2 of 10)");
  // The character after the colon is dropped whatever it is.
  ExpectMatch("Processing archive:XVOR.ARJ", LogLineKind::Source, "VOR.ARJ");
  ExpectMatch(" Extracting from VOR.A02", LogLineKind::Source, "VOR.A02");
  ExpectMatch(" Extracting from", LogLineKind::Source, "");
  ExpectMatch(" Extracting from ", LogLineKind::Source, "");
}

TEST(LogLineRules, FileAnnouncementsGiveTheNameBeforeTheFirstBlank) {
  ExpectMatch("Extracting README.TXT    OK", LogLineKind::Destination, "README.TXT");
  ExpectMatch("Extracting DATA1.DAT at position 34989", LogLineKind::Destination, "DATA1.DAT");
  // ARJ.EXE on volumes made as on MS-DOS (vorpack's): the folders joined with "\".
  ExpectMatch("Extracting DOCS\\MANUAL.BIN            at position 14114  Continued on next "
              "volume, OK        ",
              LogLineKind::Destination, "DOCS\\MANUAL.BIN");
  ExpectMatch(" Extracting: DATA1.DAT  OK", LogLineKind::Destination, "DATA1.DAT");
  ExpectMatch(" Extracting->FILE_ID.DIZ ", LogLineKind::Destination, "FILE_ID.DIZ");
  ExpectMatch("Extracting  OK", LogLineKind::Destination, "");
}

TEST(LogLineRules, ANameWithNoBlankAfterItIsCutToNothing) {
  ExpectMatch("Extracting README.TXT", LogLineKind::Destination, "");
  ExpectMatch(" Extracting: README.TXT", LogLineKind::Destination, "");
  ExpectMatch("Extracting", LogLineKind::Destination, "");
  ExpectMatch("Extracting ", LogLineKind::Destination, "");
  ExpectMatch(" Extracting", LogLineKind::Destination, "");
  ExpectMatch(" Extracting:", LogLineKind::Destination, "");
}

TEST(LogLineRules, OnlyTheSpaceCountsAsABlank) {
  ExpectMatch("Extracting A\tB C", LogLineKind::Destination, "A\tB");
  ExpectMatch("Extracting README.TXT\tOK", LogLineKind::Destination, "");
  ExpectMatch("Extracting A\rB\b\b C", LogLineKind::Destination, "A\rB\b\b");
  ExpectNoMatch("\tExtracting README.TXT OK");
}

TEST(LogLineRules, ExtractingFromWinsOverExtracting) {
  ExpectMatch(" Extracting from VOR.A03 now", LogLineKind::Source, "VOR.A03 now");
  // Matching is by prefix, so a file whose name begins with "from" counts
  // as an archive.
  ExpectMatch(" Extracting fromage.txt OK", LogLineKind::Source, "ge.txt OK");
  ExpectMatch(" Extracting fro.txt OK", LogLineKind::Destination, "ro.txt");
}

TEST(LogLineRules, PrefixesMatchOnlyExactlyAndAtTheStart) {
  ExpectNoMatch("");
  ExpectNoMatch("extracting README.TXT OK");
  ExpectNoMatch("EXTRACTING README.TXT OK");
  ExpectNoMatch("  Extracting README.TXT OK");
  ExpectNoMatch("Extractin");
  ExpectNoMatch(" Extractin");
  ExpectNoMatch("Processing archive");
  ExpectNoMatch("Processing Archive: VOR.ARJ");
  ExpectNoMatch("processing archive: VOR.ARJ");
  ExpectNoMatch(" Processing archive: VOR.ARJ");
  ExpectNoMatch("Now Extracting README.TXT OK");
  ExpectNoMatch("     3 file(s)");
  ExpectNoMatch(std::string("\0Extracting A B", 15));
}

// Real logs: Linux arj's, and the Win32 ARJ.EXE's (its banner, "Extended attributes
// enabled", "Archive created:" and percentages redrawn with backspaces inside the
// "Extracting" lines, "Continued on next volume, OK", "N file(s)"); and ARJ.EXE's with
// -i, which leaves out the percentages and gives the same texts.
TEST(LogLineRules, RealDecompressorLogsGiveTheRecordedTexts) {
  const std::string dir = VOR_FIXTURE_DIR;
  const std::pair<std::string, std::string> logs[] = {{"arj-extract", "arj-extract"},
                                                      {"arj32-extract", "arj32-extract"},
                                                      {"arj32-extract-i", "arj32-extract"}};
  for (const auto& [name, expectedName] : logs) {
    SCOPED_TRACE(name);
    std::ifstream log(dir + "/" + name + ".log", std::ios::binary);
    std::ifstream expected(dir + "/" + expectedName + ".expected");
    ASSERT_TRUE(log && expected) << "fixtures not found in " << dir
                                 << "; run from the repository root or define VOR_FIXTURE_DIR";

    std::vector<std::string> want;
    for (std::string line; std::getline(expected, line);) {
      if (!line.empty() && line[0] != '#') want.push_back(line);
    }
    ASSERT_EQ(want.size(), 17u) << "six volumes and eleven file lines";

    std::vector<std::string> got;
    for (std::string line; std::getline(log, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const LogLineMatch match = MatchLogLine(line);
      if (match.kind == LogLineKind::Source) got.push_back("volume " + match.text);
      if (match.kind == LogLineKind::Destination) got.push_back("file " + match.text);
    }
    EXPECT_EQ(got, want);
  }
}
