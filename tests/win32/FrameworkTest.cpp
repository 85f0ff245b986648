// The framework layer on real windows: message tables, data exchange, modal loops.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "tests/win32/TestResources.h"
#include "tests/win32/TestSupport.h"

namespace {

class CTestForm : public CDialog {
 public:
  CTestForm() : CDialog(IDD_TEST_FORM) {}
  CString text = "initial";
  uint32_t number = 42;
  int clicks = 0;
  int changes = 0;
  bool quitInInit = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_TEST_EDIT, text);
    DDX_Text(pDX, IDC_TEST_NUMBER, number);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (quitInInit) ::PostQuitMessage(1);
    return TRUE;
  }
  void OnPress() { ++clicks; }
  void OnEditChange() { ++changes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestForm, CDialog)
  ON_BN_CLICKED(IDC_TEST_BUTTON, OnPress)
  ON_EN_CHANGE(IDC_TEST_EDIT, OnEditChange)
END_MESSAGE_MAP()

TEST(Framework, MessageTableBindsClicksAndNotifications) {
  CTestForm form;
  INT_PTR result = RunScripted(form, {
      [&] {
        // The initial exchange wrote the edit without running the change handler.
        EXPECT_EQ(form.changes, 0);
        EXPECT_EQ(form.GetDlgItemText(IDC_TEST_EDIT), "initial");
        EXPECT_EQ(form.GetDlgItemText(IDC_TEST_NUMBER), "42");
        ::SendMessageA(form.GetDlgItem(IDC_TEST_BUTTON), BM_CLICK, 0, 0);
        ::SetWindowTextA(form.GetDlgItem(IDC_TEST_EDIT), "typed");
        return true;
      },
      [&] {
        EXPECT_EQ(form.clicks, 1);
        EXPECT_EQ(form.changes, 1);
        form.UpdateData(FALSE);  // a later exchange is locked out too
        EXPECT_EQ(form.changes, 1);
        ::PostMessageA(form.m_hWnd, WM_COMMAND, IDOK, 0);
        return true;
      },
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(form.text, "initial");  // the second exchange wrote the field back first
}

TEST(Framework, OkExchangesControlsIntoFields) {
  CTestForm form;
  INT_PTR result = RunScripted(form, {[&] {
    ::SetWindowTextA(form.GetDlgItem(IDC_TEST_EDIT), "C:\\GAMES");
    ::SetWindowTextA(form.GetDlgItem(IDC_TEST_NUMBER), "4294967295");
    ::PostMessageA(form.m_hWnd, WM_COMMAND, IDOK, 0);
    return true;
  }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(form.text, "C:\\GAMES");
  EXPECT_EQ(form.number, 4294967295u);
}

TEST(Framework, UnsignedFieldRefusesTextThatDoesNotScan) {
  MessageBoxRecorder boxes;
  CTestForm form;
  INT_PTR result = RunScripted(form, {
      [&] {
        ::SetWindowTextA(form.GetDlgItem(IDC_TEST_NUMBER), "-3");
        ::PostMessageA(form.m_hWnd, WM_COMMAND, IDOK, 0);
        return true;
      },
      [&] {
        EXPECT_TRUE(::IsWindowVisible(form.m_hWnd)) << "the dialog must stay open";
        EXPECT_EQ(::GetFocus(), form.GetDlgItem(IDC_TEST_NUMBER)) << "on the refused field";
        EXPECT_EQ(form.number, 42u);
        ::SetWindowTextA(form.GetDlgItem(IDC_TEST_NUMBER), "7");
        ::PostMessageA(form.m_hWnd, WM_COMMAND, IDOK, 0);
        return true;
      },
  });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Please enter a positive integer.");
  EXPECT_EQ(boxes.boxes[0].caption, AfxGetApp()->m_strAppName);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(form.number, 7u);
}

TEST(Framework, EscapeCancelsAndEnterPressesTheDefaultButton) {
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    CTestForm form;
    INT_PTR result = RunScripted(form, {[&] {
      HWND focus = ::GetFocus();
      EXPECT_TRUE(focus != nullptr && ::IsChild(form.m_hWnd, focus));
      ::PostMessageA(focus, WM_KEYDOWN, key, 0);
      return true;
    }});
    EXPECT_EQ(result, key == VK_ESCAPE ? IDCANCEL : IDOK);
  }
}

TEST(Framework, ModalDialogDisablesItsOwnerWhileItRuns) {
  CTestForm outer;
  RunScripted(outer, {
      [&] {
        CTestForm inner;
        inner.m_pParentWnd = &outer;
        RunScripted(inner, {[&] {
          EXPECT_FALSE(::IsWindowEnabled(outer.m_hWnd));
          EXPECT_EQ(::GetWindow(inner.m_hWnd, GW_OWNER), outer.m_hWnd);
          inner.EndDialog(IDCANCEL);
          return true;
        }});
        EXPECT_TRUE(::IsWindowEnabled(outer.m_hWnd));
        outer.EndDialog(IDCANCEL);
        return true;
      },
  });
}

TEST(Framework, QuitRequestEndsTheModalLoopAndGivesTheExitStatus) {
  CWinApp* app = AfxGetApp();
  app->ForgetQuitRequest();
  CTestForm form;
  form.quitInInit = true;
  DWORD start = ::GetTickCount();
  EXPECT_EQ(form.DoModal(), -1);
  EXPECT_LT(::GetTickCount() - start, 5000u);
  EXPECT_TRUE(app->HasQuitRequest());
  EXPECT_EQ(app->ExitInstance(), 1);
  app->ForgetQuitRequest();
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace
