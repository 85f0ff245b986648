#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/FileErrors.h"

namespace {

const char* const kExpectedTemplates[] = {
    "No error occurred.",
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};

}  // namespace

TEST(FileErrors, CausesOwnConsecutiveStringsWithTheirTexts) {
  ASSERT_EQ(std::size(kExpectedTemplates), kFileErrorCauseCount);
  EXPECT_EQ(static_cast<int>(FileErrorCause::EndOfFile), 14);
  for (unsigned i = 0; i < kFileErrorCauseCount; ++i) {
    const auto cause = static_cast<FileErrorCause>(i);
    EXPECT_EQ(FileErrorStringId(cause), 61856u + i);
    EXPECT_STREQ(FileErrorTemplate(cause), kExpectedTemplates[i]) << i;
  }
  EXPECT_EQ(FileErrorStringId(FileErrorCause::AccessDenied), 61861u);
}

TEST(FileErrors, CausesOutsideTheTableCountAsGeneric) {
  for (int value : {15, 16, 255, -1}) {
    const auto cause = static_cast<FileErrorCause>(value);
    EXPECT_EQ(FileErrorStringId(cause), 61857u) << value;
    EXPECT_STREQ(FileErrorTemplate(cause), kExpectedTemplates[1]) << value;
  }
}

TEST(FileErrors, FileNameReplacesEveryPercentOne) {
  EXPECT_EQ(FormatFileErrorText(FileErrorTemplate(FileErrorCause::AccessDenied), "VORDECOMP.LOG"),
            "Access to VORDECOMP.LOG was denied.");
  EXPECT_EQ(FormatFileErrorText(FileErrorTemplate(FileErrorCause::BadSeek), "A.LOG"),
            "Seek failed on A.LOG");
  EXPECT_EQ(FormatFileErrorText("%1 and %1%1", "X"), "X and XX");
  EXPECT_EQ(FormatFileErrorText("%1 was not found.", "%1"), "%1 was not found.");
  EXPECT_EQ(FormatFileErrorText("%1 was not found.", "100%1%2.LOG"), "100%1%2.LOG was not found.");
  EXPECT_EQ(FormatFileErrorText("%2 %%1 %", "N"), "%2 %N %");
  EXPECT_EQ(FormatFileErrorText("No error occurred.", "N"), "No error occurred.");
  EXPECT_EQ(FormatFileErrorText("Access to %1 was denied.", ""), "Access to  was denied.");
}

TEST(FileErrors, OsErrorsMapToTheViewersCauses) {
  const struct {
    uint32_t error;
    FileErrorCause cause;
  } expected[] = {
      {0, FileErrorCause::None},
      {2, FileErrorCause::FileNotFound},
      {6, FileErrorCause::FileNotFound},
      {18, FileErrorCause::FileNotFound},
      {107, FileErrorCause::FileNotFound},
      {5, FileErrorCause::AccessDenied},
      {3, FileErrorCause::BadPath},
      {15, FileErrorCause::BadPath},
      {123, FileErrorCause::BadPath},
      {161, FileErrorCause::BadPath},
      {206, FileErrorCause::BadPath},
      {32, FileErrorCause::SharingViolation},
      {33, FileErrorCause::LockViolation},
      {4, FileErrorCause::TooManyOpenFiles},
      {16, FileErrorCause::RemoveCurrentDir},
      {39, FileErrorCause::DiskFull},
      {112, FileErrorCause::DiskFull},
      {38, FileErrorCause::EndOfFile},
      {25, FileErrorCause::BadSeek},
      {131, FileErrorCause::BadSeek},
      {19, FileErrorCause::HardIO},
      {21, FileErrorCause::HardIO},
      {23, FileErrorCause::HardIO},
      {27, FileErrorCause::HardIO},
      {29, FileErrorCause::HardIO},
      {30, FileErrorCause::HardIO},
      {31, FileErrorCause::HardIO},
      {82, FileErrorCause::DirectoryFull},
      {12, FileErrorCause::AccessDenied},
  };
  for (const auto& entry : expected) {
    EXPECT_EQ(FileErrorCauseFromOsError(entry.error), entry.cause) << entry.error;
  }
}

TEST(FileErrors, UnknownOsErrorsAreGeneric) {
  for (uint32_t error : {1u, 8u, 87u, 259u, 999999u, 0x80070005u, 0xFFFFFFFFu}) {
    EXPECT_EQ(FileErrorCauseFromOsError(error), FileErrorCause::Generic) << error;
  }
}
