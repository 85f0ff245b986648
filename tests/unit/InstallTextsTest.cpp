#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "install/InstallTexts.h"
#include "tests/common/DoubleByteTexts.h"

namespace {

const CodePage kSingleByte;  // every byte a character

// Splits a command line the way the C runtime splits it for main(): the program's
// name ends at the first blank or tab outside quotes (quotes only group there); in
// the arguments, 2n backslashes before a quote give n and the quote groups, 2n+1 give
// n and a literal quote, other backslashes stand for themselves.
std::vector<std::string> SplitLikeTheRuntime(const std::string& line) {
  std::vector<std::string> args;
  size_t i = 0;
  std::string arg;
  bool quoted = false;
  for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else {
      arg += line[i];
    }
  }
  args.push_back(arg);
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return args;
    arg.clear();
    quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      size_t n = 0;
      while (i + n < line.size() && line[i + n] == '\\') ++n;
      if (n > 0) {
        const bool beforeQuote = i + n < line.size() && line[i + n] == '"';
        arg.append(beforeQuote ? n / 2 : n, '\\');
        i += n;
        if (beforeQuote && n % 2 == 1) arg += line[i++];  // a literal quote
      } else if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += line[++i];  // "" inside quotes
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        arg += line[i++];
      }
    }
    args.push_back(arg);
  }
}

// The setup command when exactly these files exist.
std::string SetupCommand(const std::string& installDir, const std::string& appSetup,
                         const std::set<std::string>& files = {},
                         const CodePage& cp = kSingleByte) {
  const FileExistsTest listed = [](StringView path, const void* context) {
    return static_cast<const std::set<std::string>*>(context)->count(path) > 0;
  };
  return BuildSetupCommand(FindSetupProgram(installDir, appSetup, cp, listed, &files), cp);
}

}  // namespace

TEST(InstallTexts, CommandLineJoinsThePiecesInOrder) {
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "E:\\SETUP", "*.arj", kSingleByte),
            "ARJ.exe x -v -y E:\\SETUP\\*.arj");
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "E:", "*.arj", kSingleByte),
            "ARJ.exe x -v -y E:\\*.arj");
  EXPECT_EQ(BuildDecompressorCommandLine("", "", "", "", kSingleByte), "\"\"  \\")
      << "an empty piece is kept as an empty argument";
}

TEST(InstallTexts, PathsWithBlanksAreQuotedAndOthersAreNot) {
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "C:\\My Games\\Release 1", "*.arj",
                                         kSingleByte),
            "ARJ.exe x -v -y \"C:\\My Games\\Release 1\\*.arj\"");
  EXPECT_EQ(
      BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "C:\\SRC", "my pkg.arj", kSingleByte),
            "ARJ.exe x -v -y \"C:\\SRC\\my pkg.arj\"");
  EXPECT_EQ(SetupCommand("C:\\Target Dir", "setup.exe"), "\"C:\\Target Dir\\setup.exe\"");
  EXPECT_EQ(SetupCommand("C:\\Target\tDir", "setup.exe"), "\"C:\\Target\tDir\\setup.exe\"")
      << "a tab separates arguments as a blank does";
  EXPECT_EQ(
      BuildDecompressorCommandLine("My Unpacker.exe", "x -y", "C:\\SRC", "*.arj", kSingleByte),
            "\"My Unpacker.exe\" x -y C:\\SRC\\*.arj");
}

TEST(InstallTexts, QuotedPiecesComeBackWholeFromTheRuntimesSplit) {
  // First_File empty, ending in a backslash, holding a quote; a folder with a blank.
  const std::pair<const char*, const char*> archives[] = {
      {"C:\\My Games", ""}, {"C:\\My Games", "pkg\\"}, {"C:\\My Games", "pkg\\\\"},
      {"C:\\SRC", "a\"b.arj"}, {"C:\\My Games", "a\\\"b c"}, {"\\\\server\\share dir", "*.arj"},
  };
  for (const auto& a : archives) {
    const std::string line =
        BuildDecompressorCommandLine("ARJ.exe", "x -v -y", a.first, a.second, kSingleByte);
    EXPECT_EQ(SplitLikeTheRuntime(line),
              (std::vector<std::string>{"ARJ.exe", "x", "-v", "-y",
                                        std::string(a.first) + "\\" + a.second}))
        << line;
  }
  for (const std::string piece : {"\"", "\\", "", " ", "a\tb", "x\\\\\" \\"}) {
    EXPECT_EQ(SplitLikeTheRuntime("p " + QuoteArgument(piece, kSingleByte)),
              (std::vector<std::string>{"p", piece}));
  }
  // Without a blank, tab or quote a piece stays as written, backslashes and all.
  EXPECT_EQ(QuoteArgument("C:\\SRC\\", kSingleByte), "C:\\SRC\\");
  EXPECT_EQ(QuoteArgument("C:\\My Games\\", kSingleByte), "\"C:\\My Games\\\\\"");
  EXPECT_EQ(QuoteArgument("a\\\"b", kSingleByte), "\"a\\\\\\\"b\"");
  EXPECT_EQ(SplitLikeTheRuntime(SetupCommand("C:\\Target Dir", "setup.exe /s",
                                             {"C:\\Target Dir\\setup.exe"})),
            (std::vector<std::string>{"C:\\Target Dir\\setup.exe", "/s"}));
}

TEST(InstallTexts, SetupProgramEndsAtTheFirstNameThatExistsInTheTarget) {
  const std::string dir = "C:\\Target Dir";
  EXPECT_EQ(SetupCommand(dir, "setup.exe /s", {dir + "\\setup.exe"}),
            "\"C:\\Target Dir\\setup.exe\" /s");
  EXPECT_EQ(SetupCommand(dir, "install -auto  -q", {dir + "\\install.exe"}),
            "\"C:\\Target Dir\\install.exe\" -auto  -q")
      << "\".exe\" added as the platform adds it; the arguments as written";
  const std::set<std::string> both = {dir + "\\Setup.exe", dir + "\\Setup Game.exe"};
  EXPECT_EQ(SetupCommand(dir, "Setup Game.exe", both), "\"C:\\Target Dir\\Setup Game.exe\"")
      << "the whole name first";
  EXPECT_EQ(SetupCommand(dir, "Setup Game.exe -x", both),
            "\"C:\\Target Dir\\Setup.exe\" Game.exe -x")
      << "then the shortest, as the platform tries them";
  EXPECT_EQ(SetupCommand(dir, "Setup Game", both), "\"C:\\Target Dir\\Setup Game.exe\"")
      << "the whole name, too, is tried with \".exe\"";
  EXPECT_EQ(SetupCommand(dir, "setup.exe\t7", {dir + "\\setup.exe"}),
            "\"C:\\Target Dir\\setup.exe\"\t7")
      << "a tab ends the name as a blank does";
  EXPECT_EQ(SetupCommand(dir, "bin\\setup.exe /s", {dir + "\\bin\\setup.exe"}),
            "\"C:\\Target Dir\\bin\\setup.exe\" /s");
  EXPECT_EQ(SetupCommand("C:\\GAMES", "setup.exe /s", {"C:\\GAMES\\setup.exe"}),
            "C:\\GAMES\\setup.exe /s")
      << "without a blank in the folder, the command packages always got";
  EXPECT_EQ(SetupCommand("C:", "setup.exe /s", {"C:\\setup.exe"}), "C:\\setup.exe /s");
  EXPECT_EQ(SetupCommand(dir, "setup.exe /s"), "\"C:\\Target Dir\\setup.exe /s\"")
      << "nothing exists: the whole, quoted";
  EXPECT_EQ(SetupCommand(dir, "setup.exe /s", {"C:\\Other\\setup.exe"}),
            "\"C:\\Target Dir\\setup.exe /s\"")
      << "only the target folder is searched";
}

// A trail byte 0x5C is no backslash: not one to double before the closing quote, and
// not a separator before a name's extension.
TEST(InstallTexts, DoubleByteTextsAreReadByCharacter) {
  for (const DoubleByteTexts& t : kDoubleByteTexts) {
    SCOPED_TRACE(t.codePage);
    const CodePage cp = CodePage::ForNumber(t.codePage);
    const std::string source = std::string("C:\\My Game\\") + t.fiveC;
    const std::string line = BuildDecompressorCommandLine("ARJ.exe", "x", source, "", cp);
    EXPECT_EQ(line, "ARJ.exe x \"" + source + "\\\\\"");
    const std::string setup = std::string("v1.0") + t.fiveC;
    EXPECT_EQ(SetupCommand("T:\\GAME", setup + " /s", {"T:\\GAME\\" + setup}, cp),
              "T:\\GAME\\" + setup + " /s")
        << "the name has an extension: no \".exe\" added";
  }
  // The same bytes in a single-byte code page: 0x5C is a backslash.
  EXPECT_EQ(QuoteArgument("C:\\My Game\\\x83\\", kSingleByte),
            "\"C:\\My Game\\\x83\\\\\"");
}

TEST(InstallTexts, LongTextsAreNeitherCutNorChanged) {
  const std::string program(120, 'P'), args(150, 'a'), dir(400, 'd'), first(90, 'f');
  const std::string line = BuildDecompressorCommandLine(program, args, dir, first, kSingleByte);
  EXPECT_EQ(line, program + " " + args + " " + dir + "\\" + first);
  EXPECT_EQ(line.size(), 763u);

  const std::string installDir = "C:\\" + std::string(597, 'x');
  EXPECT_EQ(SetupCommand(installDir, "setup.exe"), installDir + "\\setup.exe");
}

TEST(InstallTexts, SetupCommandUnderTheInstallFolder) {
  EXPECT_EQ(SetupCommand("C:\\VOR_TEMP", "setup.exe"), "C:\\VOR_TEMP\\setup.exe");
  EXPECT_EQ(SetupCommand("C:", "setup.exe"), "C:\\setup.exe");
  EXPECT_EQ(SetupCommand("D:\\GAMES\\", "INSTALL.EXE"), "D:\\GAMES\\\\INSTALL.EXE");
}

TEST(InstallTexts, MissingProgramIsNamedTwice) {
  EXPECT_EQ(LaunchFailureCaption("ARJ.exe"), "Failed to Launch ARJ.exe");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 2),
            "Can't Find ARJ.exe.\nPlease make sure ARJ.exe is in your path.");
  EXPECT_EQ(LaunchFailureText("100%d.exe", 2),
            "Can't Find 100%d.exe.\nPlease make sure 100%d.exe is in your path.");
}

TEST(InstallTexts, OtherErrorsShowTheNumberAsPercentI) {
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0), "Error code 0");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 3), "Error code 3");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 193), "Error code 193");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0x7FFFFFFFu), "Error code 2147483647");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0x80000000u), "Error code -2147483648");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0xFFFFFFFFu), "Error code -1");
}
