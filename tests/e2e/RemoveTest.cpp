// "Remove Install Directory" after a real installation.
#include <gtest/gtest.h>

#include "tests/e2e/InstallFlow.h"

namespace {

TEST(Remove, AsksThroughTheShellAndRemovesTheTree) {
  SourceFolder folder;
  const std::string target = folder.File("installed");
  PreparePackage(folder, "Default_Directory=" + target + "\r\n", "",
                 "line Extracting A.TXT  OK\r\nfile A.TXT 10\r\nfile deep\\er\\B.TXT 20\r\nexit 0\r\n");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(InstallAndDecline(app, dlg, target));
  ASSERT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004); }));
  ASSERT_TRUE(FileExists(target + "\\deep\\er\\B.TXT"));

  // Declined: the folder stays and so does the button.
  Click(dlg, 1004);
  HWND question = WaitForShellQuestion(app);
  ASSERT_NE(question, nullptr);
  Click(question, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));
  EXPECT_TRUE(DirectoryExists(target));
  EXPECT_TRUE(ControlEnabled(dlg, 1004));

  // Accepted: the tree goes, the button is disabled; the log and its button stay.
  Click(dlg, 1004);
  question = WaitForShellQuestion(app);
  ASSERT_NE(question, nullptr);
  Click(question, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(target); }));
  EXPECT_TRUE(WaitUntil([&] { return !ControlEnabled(dlg, 1004); }));
  EXPECT_TRUE(ControlEnabled(dlg, 1025));
  EXPECT_TRUE(FileExists(folder.File("VORDECOMP.LOG")));

  // A later installation enables the button again.
  ASSERT_TRUE(InstallAndDecline(app, dlg, target));
  EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004); }));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
