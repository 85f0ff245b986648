#include "install/InstallTexts.h"

#include "framework/NumberScan.h"

namespace {

constexpr uint32_t kFileNotFoundError = 2;  // ERROR_FILE_NOT_FOUND

// The name in the first `length` bytes has a dot in its last part: an extension. The
// platform adds ".exe" to a name without one.
bool HasExtension(StringView text, size_t length, const CodePage& cp) {
  bool dot = false;
  for (size_t i = 0; i < length; i += cp.CharLength(text, i)) {
    if (text[i] == '\\' || text[i] == '/') {
      dot = false;
    } else if (text[i] == '.') {
      dot = true;
    }
  }
  return dot;
}

// A blank or a tab: where the platform's command search and the C runtime's split end
// a program's name.
bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// The value as a signed 32-bit decimal, as printf's "%i" prints it.
CString SignedDecimal(uint32_t value) {
  if (value > 0x7FFFFFFFu) return "-" + UnsignedDecimalText(0u - value);
  return UnsignedDecimalText(value);
}

}  // namespace

const char kSourceFolderFailureText[] = "Cannot return to the package folder ";
const char kSourceFolderFailureCaption[] = "Installation Not Started";
const char kTimerFailureText[] =
    "No timer to watch the decompressor with: it may still be running.";
const char kTimerFailureCaption[] = "Timer Error";

CString QuoteArgument(StringView text, const CodePage& cp) {
  if (!text.empty() && text.find_first_of(" \t\"") == CString::npos) return text;
  // Each byte at most twice, between the quotes: the closing one is there already.
  CString out(2 * text.size() + 2, '"');
  size_t n = 1, backslashes = 0;  // backslashes: in a row, just before
  for (size_t i = 0; i < text.size();) {
    const size_t length = cp.CharLength(text, i);
    const char c = text[i];
    // Before a quote: each backslash doubled, and one more that makes the quote literal.
    if (c == '"') {
      for (size_t k = 0; k <= backslashes; ++k) out[n++] = '\\';
    }
    // A trail byte 0x5C is part of its character, not a backslash.
    backslashes = length == 1 && c == '\\' ? backslashes + 1 : 0;
    for (const size_t end = i + length; i < end; ++i) out[n++] = text[i];
  }
  for (; backslashes > 0; --backslashes) out[n++] = '\\';  // doubled before the closing quote
  out.resize(n + 1);
  return out;
}

CString BuildDecompressorCommandLine(StringView program, StringView commandLine,
                                     StringView sourceDir, StringView firstFile,
                                     const CodePage& cp) {
  return QuoteArgument(program, cp) + " " + commandLine + " " +
         QuoteArgument(sourceDir + "\\" + firstFile, cp);
}

CString LaunchFailureCaption(StringView program) {
  return "Failed to Launch " + program;
}

CString LaunchFailureText(StringView program, uint32_t error) {
  if (error == kFileNotFoundError) {
    return "Can't Find " + program + ".\nPlease make sure " + program + " is in your path.";
  }
  return "Error code " + SignedDecimal(error);
}

SetupProgram FindSetupProgram(StringView installDir, StringView appSetup,
                              const CodePage& cp, FileExistsTest fileExists,
                              const void* context) {
  SetupProgram setup;
  // Where the name ends: the whole first, then before each blank or tab that follows
  // another character, shortest first. Each name without an extension is tried with
  // ".exe", as the platform tries it.
  for (size_t end = appSetup.size(), i = 0;; end = i) {
    setup.path.assign(installDir).append(1, '\\').append(appSetup.substr(0, end));
    if (!HasExtension(appSetup, end, cp)) setup.path.append(".exe");
    if (fileExists(setup.path, context)) {
      setup.arguments = appSetup.substr(end);
      return setup;
    }
    do {
      ++i;
    } while (i < appSetup.size() &&
             !(IsBlankOrTab(appSetup[i]) && !IsBlankOrTab(appSetup[i - 1])));
    if (i >= appSetup.size()) break;
  }
  setup.path.assign(installDir).append(1, '\\').append(appSetup);
  return setup;
}

CString BuildSetupCommand(const SetupProgram& setup, const CodePage& cp) {
  return QuoteArgument(setup.path, cp) + setup.arguments;
}
