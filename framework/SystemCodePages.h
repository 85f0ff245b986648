// The system's code pages, as the platform reports them: the ANSI one, in which the
// program's files, paths and window texts are, and the OEM one of the viewer's font.
#pragma once
#include "framework/CodePage.h"

const CodePage& AfxAnsiCodePage();
const CodePage& AfxOemCodePage();
