#pragma once

#include <cstdint>

#include "framework/CodePage.h"
#include "framework/String.h"

// Texts that the install command and the decompression dialog build from the
// settings. None has a length limit: nothing is cut, and the caller hands the
// whole text to the platform (CreateProcessA needs a writable copy). Texts are read by
// character in the code page given, the system's ANSI one.

// One piece of a command line, written so that the C runtime's split gives it back
// unchanged: as it is when it holds no blank, tab or double quote and is not empty;
// otherwise in double quotes, each quote in it written as \" and the backslashes in
// front of a quote, or of the closing quote, doubled ("C:\My Games\" becomes
// "C:\My Games\\"); a trail byte 0x5C is no backslash. A program's name goes through
// it too: such a name holds no quote and does not end in a backslash, so there it is the
// plain quotes the platform reads.
CString QuoteArgument(StringView text, const CodePage& cp);

// program + " " + commandLine + " " + the archive path sourceDir + "\" + firstFile;
// the program and the archive path through QuoteArgument, so that paths without a
// blank stay as written ("ARJ.exe x -v -y E:\SETUP\*.arj").
CString BuildDecompressorCommandLine(StringView program, StringView commandLine,
                                     StringView sourceDir, StringView firstFile,
                                     const CodePage& cp);

// "Failed to Launch " + program
CString LaunchFailureCaption(StringView program);

// For error 2 (file not found): "Can't Find " + program +
// ".\nPlease make sure " + program + " is in your path."
// For any other error: "Error code " + the error as a signed 32-bit decimal
// (what printf's "%i" prints for it, so 0xFFFFFFFF reads -1).
CString LaunchFailureText(StringView program, uint32_t error);

// The package's setup program: App_Setup may hold the program's name followed by its
// arguments ("setup.exe /s").
struct SetupProgram {
  CString path;       // installDir + "\" + the name; a drive root "C:" gives "C:\name"
  CString arguments;  // what follows the name in App_Setup, as written; "" for none
};

// Whether a file of that path exists; `context` is what the caller handed on with it.
using FileExistsTest = bool (*)(StringView path, const void* context);

// Finds where the program's name in appSetup ends, in the install folder only: the
// whole of appSetup when it names an existing file there; else the shortest prefix
// ending before a blank or a tab that does; each with ".exe" added when it has no
// extension, as the platform adds it; else the whole, without arguments.
SetupProgram FindSetupProgram(StringView installDir, StringView appSetup,
                              const CodePage& cp, FileExistsTest fileExists,
                              const void* context = nullptr);

// The command that starts it: its path through QuoteArgument, then the arguments as
// the packager wrote them ("C:\Target Dir" and "setup.exe /s" give
// "C:\Target Dir\setup.exe" in double quotes, then " /s").
CString BuildSetupCommand(const SetupProgram& setup, const CodePage& cp);

// The messages of two platform calls that failed; the platform's own text for the
// error follows them on a line of their own: the return to the source folder before the
// log is created (the folder follows the text), and the progress dialog's timer.
extern const char kSourceFolderFailureText[];
extern const char kSourceFolderFailureCaption[];
extern const char kTimerFailureText[];
extern const char kTimerFailureCaption[];
