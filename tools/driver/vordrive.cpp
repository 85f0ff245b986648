// vordrive: takes ZEZADERI.EXE through a whole installation of a package, as a user
// would, and says what happened: what each window showed, how it was answered, the
// installer's exit status. Takes a picture of each window on the way, as a BMP file
// named after its caption (01-vor-custom-installer.bmp, ...). make demo and make try
// run it under Wine on a virtual display (tools/try-package.sh).
//
//   vordrive --installer=EXE --package=DIR --pictures=DIR [--target=DIR] [--chosen=FILE]
//
// The installer starts in the package folder. The user first reads the two
// descriptions ("View Da NFO", "View File_Id"), then installs: into the folder the
// folder dialog offers (the package's Default_Directory), or the target typed in its
// place. The question that ends a clean installation ("Execute Application Setup?") is
// answered No: the package's setup program is not started. Then the log is viewed. The
// texts are printed in UTF-8 as the screen shows them. --chosen names a file that gets
// the folder the installation went into (UTF-8), and a second line "made" when the
// installer created it. Paths are Windows or Unix paths. Exit status: 0 installed; 1 the
// installer showed an error instead (the run still goes on to the log and the exit); 2
// the run could not go on (a window did not come, a picture stayed blank) or the
// arguments are wrong.
#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/driver/Driver.h"
#include "tools/driver/InstallFlow.h"
#include "tools/driver/Screenshot.h"
#include "tools/driver/SecondVolumeHold.h"

namespace {

const char kMainCaption[] = "VOR Custom Installer";
const char kProgressCaption[] = "Decompressing Files";
const char kDoneCaption[] = "Successful Installation";
const char kViewerCaption[] = "Viewing - ";
// Controls of the installer's dialogs.
const int kViewNfo = 1000, kViewFileId = 1001, kAppTitle = 1002, kViewLog = 1025;
const int kFolderEdit = 1014, kSpaceAvailable = 1016, kSpaceRequired = 1017;
const int kDestination = 1021, kSource = 1022, kProgress = 1024;

// The first start in a new Wine prefix, or under emulation, can take a minute.
const DWORD kStartMs = 180000;
const DWORD kStepMs = 30000;
// A decompression of a large package may take long.
const DWORD kDecompressionMs = 30 * 60 * 1000;

// A run that cannot go on.
struct Stuck {
  std::string why;
};

std::string Slug(const std::string& caption) {
  std::string slug;
  for (char c : caption) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug.empty() ? "window" : slug;
}

// A file in a folder, which may be a drive root ("D:\\").
std::string InFolder(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// Texts as they are printed: each line of a message box's text on a line of its own.
std::string Indented(const std::string& text) {
  std::string out = "    ";
  for (char c : text) {
    if (c == '\r') continue;
    out += c;
    if (c == '\n') out += "    ";
  }
  return out;
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// The pictures of the run, numbered in the order taken.
class Pictures {
 public:
  explicit Pictures(std::string folder) : m_folder(std::move(folder)) {}
  void Take(HWND window) {
    const std::string caption = Text(window);
    char number[8];
    std::snprintf(number, sizeof number, "%02d-", ++m_count);
    const std::string error = SaveScreenshot(window, InFolder(m_folder, number + Slug(caption) + ".bmp"));
    if (!error.empty()) throw Stuck{"no picture of \"" + caption + "\": " + error};
  }

 private:
  std::string m_folder;
  int m_count = 0;
};

// Reads a message box, takes its picture and says what it shows.
MessageBoxView ShowBox(HWND box, Pictures& pictures) {
  WaitUntil([&] { return !ControlText(box, 0xFFFF).empty() || !::IsWindow(box); }, 2000);
  MessageBoxView view = ReadMessageBox(box);
  pictures.Take(box);
  Say(Utf8(view.caption) + ":\n" + Indented(ShownText(::GetDlgItem(box, 0xFFFF))));
  return view;
}

// Answers a message box with a button and waits for it to close.
void Answer(const MessageBoxView& box, int button) {
  const char* name = button == IDYES ? "Yes" : button == IDNO ? "No" : button == IDCANCEL ? "Cancel" : "OK";
  Say(std::string("  answered ") + name);
  Click(box.hwnd, button);
  if (!WaitUntil([&] { return !::IsWindow(box.hwnd); }, kStepMs)) {
    throw Stuck{"the message box \"" + box.caption + "\" did not close"};
  }
}

// An error box: OK, or whichever single button it has.
void AnswerError(const MessageBoxView& box) {
  Answer(box, box.buttons.empty() ? IDOK : box.buttons.front());
}

class Watcher : public FlowObserver {
 public:
  Watcher(Pictures& pictures, bool typed) : m_pictures(pictures), m_typed(typed) {}
  void Shown(HWND window) override {
    if (IsMessageBox(window)) {
      m_box = ShowBox(window, m_pictures);
      if (m_box.caption == "Create Directory") {
        Say("  answered Yes");
        m_made = true;
      }
      return;
    }
    m_pictures.Take(window);
    m_folder = ControlText(window, kFolderEdit);
    Say(Text(window) + (m_typed ? ": typed " : ": accepted ") + Utf8(m_folder) + " (space available: " +
        ControlText(window, kSpaceAvailable) + " MB, necessary: " + ControlText(window, kSpaceRequired) +
        " MB)");
  }
  void Missed(const std::string& what) override { throw Stuck{what}; }
  // The last message box seen.
  const MessageBoxView& Box() const { return m_box; }
  // The folder confirmed in the folder dialog, and whether the installer was told to
  // create it.
  const std::string& Folder() const { return m_folder; }
  bool Made() const { return m_made; }

 private:
  Pictures& m_pictures;
  bool m_typed;
  MessageBoxView m_box;
  std::string m_folder;
  bool m_made = false;
};

struct Options {
  std::string installer, package, target, pictures, chosen;
};

class Run {
 public:
  explicit Run(const Options& options) : m_options(options), m_pictures(options.pictures) {}

  // 0 installed, 1 the installer showed an error.
  int Go() {
    DrivenProgram app(m_options.installer, m_options.package);
    if (!app.Started()) throw Stuck{app.StartError()};
    HWND main = WaitForWindowOrBox(app, kMainCaption, kStartMs);
    if (main == nullptr) throw Stuck{Missing(app, "the main dialog \"" + std::string(kMainCaption) + "\"")};
    if (IsMessageBox(main)) {
      AnswerError(ShowBox(main, m_pictures));
      m_failed = true;
      return Exit(app);
    }
    m_pictures.Take(main);
    Say(std::string(kMainCaption) + ": the main dialog, showing \"" + ShownText(::GetDlgItem(main, kAppTitle)) +
        "\"");

    View(app, main, kViewNfo, "VOR.nfo", "the package's description");
    View(app, main, kViewFileId, "file_id.diz", "its short description");
    if (Install(app, main)) {
      if (WaitUntil([&] { return ControlEnabled(main, kViewLog); }, 15000)) {
        View(app, main, kViewLog, "VORDECOMP.LOG", "the installation log");
      } else {
        Say("View Install Log stays disabled.");
      }
    }
    Click(main, IDCANCEL);
    return Exit(app);
  }

 private:
  // Through the folder dialog and the decompression; false when it ended before the
  // decompressor ran ("View Install Log" stays disabled then).
  bool Install(const DrivenProgram& app, HWND main) {
    Watcher watcher(m_pictures, !m_options.target.empty());
    const bool chosen = ChooseFolder(app, main, m_options.target, &watcher);
    TellChosen(watcher);
    if (!chosen) {
      // A message box instead (not enough space, a folder that cannot be made): the
      // folder dialog stays open after it and is cancelled.
      m_failed = true;
      AnswerError(watcher.Box());
      HWND folderDlg = app.WaitForWindow("Select Install Folder", 0);
      if (folderDlg != nullptr) {
        Say("  the folder dialog is cancelled");
        Click(folderDlg, IDCANCEL);
        WaitUntil([&] { return !::IsWindow(folderDlg); }, kStepMs);
      }
      return false;
    }

    // The demo's decompressor needs less than a second, often less than the progress
    // dialog takes to show: it is held still at its second volume for the dialog's
    // picture, which then shows an installation under way.
    SecondVolumeHold hold(app.Pid(), InFolder(m_options.package, "VORDECOMP.LOG"));
    HWND progress = WaitForWindowOrBox(app, kProgressCaption, kStepMs);
    if (progress == nullptr) throw Stuck{Missing(app, "the progress dialog \"" + std::string(kProgressCaption) + "\"")};
    if (IsMessageBox(progress)) {  // the decompressor did not start: no log to view
      m_failed = true;
      AnswerError(ShowBox(progress, m_pictures));
      return false;
    }
    HWND bar = ::GetDlgItem(progress, kProgress);
    const int steps = static_cast<int>(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    auto position = [&] { return static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0)); };
    std::string source;
    auto follow = [&] {
      const std::string now = ControlText(progress, kSource);
      if (now.empty() || now == source) return;
      source = now;
      // The source field shows its text as it is (SS_NOPREFIX).
      Say(std::string(kProgressCaption) + ": " + Utf8(source) + " (step " + std::to_string(position()) + " of " +
          std::to_string(steps) + ")");
    };
    // Follows the volumes as they go by (and takes the picture), until the result.
    HWND result = WaitForWindowOrBox(app, kDoneCaption, kDecompressionMs, [&] {
      follow();
      if (!hold.Held()) return;
      WaitUntil([&] { return position() >= hold.Volumes() && !ControlText(progress, kDestination).empty(); },
                5000);
      follow();
      m_pictures.Take(progress);
      hold.Release();
    });
    if (result == nullptr) {
      throw Stuck{Missing(app, "the end of the decompression (\"" + std::string(kDoneCaption) + "\" or an error)")};
    }
    const MessageBoxView view = ShowBox(result, m_pictures);
    if (view.caption == kDoneCaption) {
      Answer(view, IDNO);
    } else {
      m_failed = true;
      AnswerError(view);
    }
    if (!WaitUntil([&] { return !::IsWindow(progress); }, kStepMs)) {
      throw Stuck{"the progress dialog \"" + std::string(kProgressCaption) + "\" did not close"};
    }
    return true;
  }

  // Opens a viewer with its button of the main dialog, takes its picture and closes it
  // again. A file that cannot be read shows a message box first, then an empty viewer.
  void View(const DrivenProgram& app, HWND main, int button, const std::string& file, const char* what) {
    const std::string caption = kViewerCaption + file;
    Click(main, button);
    HWND viewer = WaitForWindowOrBox(app, caption, kStepMs);
    const bool unread = viewer != nullptr && IsMessageBox(viewer);
    if (unread) {
      m_failed = true;
      AnswerError(ShowBox(viewer, m_pictures));
      viewer = app.WaitForWindow(caption, kStepMs);
    }
    if (viewer == nullptr) throw Stuck{Missing(app, "the viewer \"" + caption + "\"")};
    m_pictures.Take(viewer);
    Say(caption + ": " + (unread ? "empty" : what));
    ::PostMessageA(viewer, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return !::IsWindow(viewer); }, kStepMs)) {
      throw Stuck{"the viewer \"" + caption + "\" did not close"};
    }
  }

  // Writes the folder the installation went into for the caller (--chosen).
  void TellChosen(const Watcher& watcher) const {
    if (m_options.chosen.empty() || watcher.Folder().empty()) return;
    FILE* f = std::fopen(m_options.chosen.c_str(), "wb");
    if (f == nullptr) throw Stuck{"cannot write " + m_options.chosen};
    std::fprintf(f, "%s\n%s", Utf8(watcher.Folder()).c_str(), watcher.Made() ? "made\n" : "");
    std::fclose(f);
  }

  // The installer's exit after its main dialog's Exit (or after an error at start-up).
  int Exit(DrivenProgram& app) {
    const DWORD status = app.WaitForExit(kStepMs);
    if (status == STILL_ACTIVE) throw Stuck{"the installer did not end"};
    Say("The installer ended with exit status " + std::to_string(status) + ".");
    return m_failed ? 1 : 0;
  }

  // What did not come, and what the program showed instead.
  static std::string Missing(const DrivenProgram& app, const std::string& what) {
    std::string why = what + " did not come";
    if (!app.Running()) return why + ": the installer has ended";
    std::string shown;
    for (HWND h : app.Windows()) shown += (shown.empty() ? "" : ", ") + ("\"" + Utf8(Text(h)) + "\"");
    return why + (shown.empty() ? ": the installer shows no window" : "; the installer shows " + shown);
  }

  const Options& m_options;
  Pictures m_pictures;
  bool m_failed = false;
};

bool Take(const char* arg, const char* name, std::string* value) {
  const size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0 || arg[n] != '=') return false;
  *value = WindowsPath(arg + n + 1);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    if (!Take(argv[i], "--installer", &o.installer) && !Take(argv[i], "--package", &o.package) &&
        !Take(argv[i], "--target", &o.target) && !Take(argv[i], "--pictures", &o.pictures) &&
        !Take(argv[i], "--chosen", &o.chosen)) {
      std::fprintf(stderr, "vordrive: unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  if (o.installer.empty() || o.package.empty() || o.pictures.empty()) {
    std::fprintf(stderr, "usage: vordrive --installer=EXE --package=DIR --pictures=DIR [--target=DIR] [--chosen=FILE]\n");
    return 2;
  }
  try {
    return Run(o).Go();
  } catch (const Stuck& stuck) {
    std::fprintf(stderr, "vordrive: %s\n", stuck.why.c_str());
    return 2;
  }
}
