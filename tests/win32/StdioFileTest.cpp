// CStdioFile reading a file that another handle keeps appending to, as the
// decompressor appends to its log while the progress dialog reads it.
#include <gtest/gtest.h>

#include "framework/StdioFile.h"
#include "tests/win32/TestSupport.h"

namespace {

// The writer's side: a second handle that appends, shared like the log.
class Appender {
 public:
  explicit Appender(const std::string& path) {
    m_h = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(m_h, INVALID_HANDLE_VALUE);
  }
  ~Appender() { ::CloseHandle(m_h); }
  void Write(const std::string& bytes) {
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(m_h, bytes.data(), (DWORD)bytes.size(), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
  }

 private:
  HANDLE m_h;
};

class StdioFile : public ::testing::Test {
 protected:
  StdioFile() : writer(folder.File("grow.log")) {
    EXPECT_TRUE(reader.Open(folder.File("grow.log").c_str(),
                            CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeText));
  }
  // Every line available now, then the FALSE that ends them.
  std::vector<std::string> ReadAvailable() {
    std::vector<std::string> lines;
    CString line = "stale";
    while (reader.ReadString(line)) lines.push_back(line);
    EXPECT_EQ(line, "") << "FALSE leaves the line empty";
    return lines;
  }
  using Lines = std::vector<std::string>;

  TempFolder folder;
  Appender writer;
  CStdioFile reader;
};

TEST_F(StdioFile, LinesComeWithoutTheirLineEnds) {
  writer.Write("first\r\nsecond\n\r\n\nlast\r\n");
  EXPECT_EQ(ReadAvailable(), (Lines{"first", "second", "", "", "last"}));
  // A lone CR inside a line is part of it; only CR LF and LF end a line.
  writer.Write("a\rb\r\r\n");
  EXPECT_EQ(ReadAvailable(), (Lines{"a\rb\r"}));
}

TEST_F(StdioFile, LinesOfAnyLengthComeWhole) {
  std::string huge(100000, 'x');
  huge[4095] = 'A';  // across the reader's buffer size
  huge[4096] = 'B';
  std::string second(9000, 'y');
  writer.Write(huge + "\r\n" + second + "\r");
  writer.Write("\nshort\r\n");
  Lines lines = ReadAvailable();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], huge);
  EXPECT_EQ(lines[1], second);
  EXPECT_EQ(lines[2], "short");
}

TEST_F(StdioFile, EndOfFileIsNeverFinal) {
  EXPECT_EQ(ReadAvailable(), Lines{});
  EXPECT_EQ(ReadAvailable(), Lines{});
  writer.Write("one\r\n");
  EXPECT_EQ(ReadAvailable(), Lines{"one"});
  writer.Write("two\r\nthree\r\n");
  CString line;
  ASSERT_TRUE(reader.ReadString(line));
  EXPECT_EQ(line, "two");
  writer.Write("four\r\n");
  EXPECT_EQ(ReadAvailable(), (Lines{"three", "four"}));
}

TEST_F(StdioFile, PartlyWrittenLineComesAsItStandsAndItsRestLater) {
  writer.Write("Processing archive: DI");
  EXPECT_EQ(ReadAvailable(), Lines{"Processing archive: DI"});
  writer.Write("SK1.ARJ\r\nExtracting A");
  EXPECT_EQ(ReadAvailable(), (Lines{"SK1.ARJ", "Extracting A"}));
  // The line end that completes a partly read line is not an empty line of its own.
  writer.Write("\r\n");
  EXPECT_EQ(ReadAvailable(), Lines{});
  writer.Write("next");
  EXPECT_EQ(ReadAvailable(), Lines{"next"});
  writer.Write("\n\r\n");  // LF alone completes it; the CR LF after it is an empty line
  EXPECT_EQ(ReadAvailable(), Lines{""});
}

TEST_F(StdioFile, CarriageReturnAtTheEndWaitsForWhatFollows) {
  // CR now, LF later: one line end, no empty line after "abc".
  writer.Write("abc\r");
  EXPECT_EQ(ReadAvailable(), Lines{"abc"});
  EXPECT_EQ(ReadAvailable(), Lines{});
  writer.Write("\n");
  EXPECT_EQ(ReadAvailable(), Lines{});
  writer.Write("def\r\n");
  EXPECT_EQ(ReadAvailable(), Lines{"def"});

  // CR now and something else later: the CR was part of the line; nothing is lost.
  writer.Write("ghi\r");
  EXPECT_EQ(ReadAvailable(), Lines{"ghi"});
  writer.Write("jkl\r\n");
  EXPECT_EQ(ReadAvailable(), Lines{"\rjkl"});

  // A CR that begins a line: with its LF it is an empty line.
  writer.Write("\r");
  EXPECT_EQ(ReadAvailable(), Lines{});
  writer.Write("\nmno\r\n");
  EXPECT_EQ(ReadAvailable(), (Lines{"", "mno"}));
}

TEST_F(StdioFile, ReopeningStartsAgainFromTheTop) {
  writer.Write("one\r\ntw");
  EXPECT_EQ(ReadAvailable(), (Lines{"one", "tw"}));
  ASSERT_TRUE(reader.Open(folder.File("grow.log").c_str(), CFile::modeRead | CFile::shareDenyNone));
  EXPECT_EQ(ReadAvailable(), (Lines{"one", "tw"}));
  reader.Close();
  EXPECT_FALSE(reader.IsOpen());
}

TEST_F(StdioFile, ReadFailureReportsTheCauseAndTheFileName) {
  std::string path = folder.File("grow.log");
  ASSERT_TRUE(reader.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone));
  writer.Write("unreadable\r\n");
  CString line = "old";
  CFileException e;
  EXPECT_FALSE(reader.ReadString(line, &e)) << "a handle without read access can't read";
  EXPECT_EQ(line, "");
  EXPECT_EQ(e.m_cause, FileErrorCause::AccessDenied);
  EXPECT_EQ(e.m_strFileName, path);
  EXPECT_FALSE(reader.ReadString(line)) << "the error object is optional";
  // Nothing was taken from the file: a reader with access still gets the line.
  ASSERT_TRUE(reader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
  EXPECT_EQ(ReadAvailable(), Lines{"unreadable"});
}

}  // namespace
