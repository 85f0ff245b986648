// Message tables: a class binds window messages, button clicks and control
// notifications of numeric ids to its member functions, and inherits the table
// of its base class.
#pragma once
#include <windows.h>

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

// The handler's signature, so the dispatcher can call it with the right arguments.
enum AfxSig {
  AfxSig_end = 0,
  AfxSig_vv,    // void ()                               commands, WM_PAINT
  AfxSig_vwl,   // void (UINT, LPARAM)                   WM_SYSCOMMAND
  AfxSig_hv,    // HCURSOR ()                            WM_QUERYDRAGICON
  AfxSig_vt,    // void (UINT_PTR)                       WM_TIMER
  AfxSig_is,    // int (LPCREATESTRUCTA)                 WM_CREATE
  AfxSig_vwii,  // void (UINT, int, int)                 WM_SIZE
  AfxSig_vwww,  // void (UINT, UINT, UINT)               WM_KEYDOWN
  AfxSig_vh,    // void (HWND)                           WM_SETFOCUS
  AfxSig_vwwh,  // void (UINT, UINT, HWND)               WM_HSCROLL, WM_VSCROLL
  AfxSig_lwl,   // LRESULT (WPARAM, LPARAM)              any message
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_COMMAND for commands and control notifications
  UINT nCode;     // notification code (BN_CLICKED, EN_CHANGE, ...)
  UINT nID;       // control or command id; 0 for window messages
  AfxSig nSig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                 \
 protected:                                   \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    typedef baseClass TheBaseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                  \
  { 0, 0, 0, AfxSig_end, nullptr } };                                      \
    static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, entries }; \
    return &map;                                                           \
  }

#define AFX_PMSG_OF(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))

#define ON_COMMAND(id, fn) \
  { WM_COMMAND, 0, (UINT)(id), AfxSig_vv, AFX_PMSG_OF(void (CCmdTarget::*)(), &ThisClass::fn) },
#define ON_CONTROL(code, id, fn) \
  { WM_COMMAND, (UINT)(code), (UINT)(id), AfxSig_vv, AFX_PMSG_OF(void (CCmdTarget::*)(), &ThisClass::fn) },
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_MESSAGE(msg, fn) \
  { (UINT)(msg), 0, 0, AfxSig_lwl, AFX_PMSG_OF(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::fn) },

#define ON_WM_SYSCOMMAND() \
  { WM_SYSCOMMAND, 0, 0, AfxSig_vwl, AFX_PMSG_OF(void (CCmdTarget::*)(UINT, LPARAM), &ThisClass::OnSysCommand) },
#define ON_WM_PAINT() \
  { WM_PAINT, 0, 0, AfxSig_vv, AFX_PMSG_OF(void (CCmdTarget::*)(), &ThisClass::OnPaint) },
#define ON_WM_QUERYDRAGICON() \
  { WM_QUERYDRAGICON, 0, 0, AfxSig_hv, AFX_PMSG_OF(HCURSOR (CCmdTarget::*)(), &ThisClass::OnQueryDragIcon) },
#define ON_WM_TIMER() \
  { WM_TIMER, 0, 0, AfxSig_vt, AFX_PMSG_OF(void (CCmdTarget::*)(UINT_PTR), &ThisClass::OnTimer) },
#define ON_WM_CREATE() \
  { WM_CREATE, 0, 0, AfxSig_is, AFX_PMSG_OF(int (CCmdTarget::*)(LPCREATESTRUCTA), &ThisClass::OnCreate) },
#define ON_WM_SIZE() \
  { WM_SIZE, 0, 0, AfxSig_vwii, AFX_PMSG_OF(void (CCmdTarget::*)(UINT, int, int), &ThisClass::OnSize) },
#define ON_WM_KEYDOWN() \
  { WM_KEYDOWN, 0, 0, AfxSig_vwww, AFX_PMSG_OF(void (CCmdTarget::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown) },
#define ON_WM_SETFOCUS() \
  { WM_SETFOCUS, 0, 0, AfxSig_vh, AFX_PMSG_OF(void (CCmdTarget::*)(HWND), &ThisClass::OnSetFocus) },
#define ON_WM_HSCROLL() \
  { WM_HSCROLL, 0, 0, AfxSig_vwwh, AFX_PMSG_OF(void (CCmdTarget::*)(UINT, UINT, HWND), &ThisClass::OnHScroll) },
#define ON_WM_VSCROLL() \
  { WM_VSCROLL, 0, 0, AfxSig_vwwh, AFX_PMSG_OF(void (CCmdTarget::*)(UINT, UINT, HWND), &ThisClass::OnVScroll) },

// Base of everything that has a message table: windows and the application.
class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

  // Finds the handler for a message (commands: nMessage WM_COMMAND with code and id),
  // searching this class's table and then its bases'. Null when none binds it.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

  // Runs the handler bound to a command or control notification, if any.
  virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

  static const AFX_MSGMAP* GetThisMessageMap();

 protected:
  virtual const AFX_MSGMAP* GetMessageMap() const;
};
