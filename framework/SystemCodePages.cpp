#include "framework/SystemCodePages.h"

#include <windows.h>

namespace {

CodePage SystemCodePage(UINT which) {
  CPINFO info = {};
  if (!::GetCPInfo(which, &info)) return CodePage();
  return CodePage::FromLeadByteRanges(info.LeadByte, MAX_LEADBYTES / 2);
}

}  // namespace

const CodePage& AfxAnsiCodePage() {
  static const CodePage page = SystemCodePage(CP_ACP);
  return page;
}

const CodePage& AfxOemCodePage() {
  static const CodePage page = SystemCodePage(CP_OEMCP);
  return page;
}
