// Installations with a real decompressor: ARJ.EXE built from Debian's arj source
// (tools/arj/build-arj.sh), on volumes that Linux arj made at test time
// (tests/fixtures/make-real-archives.sh). What a real program cannot be made to do
// (exit code 259, output in chosen pieces) stays with the stand-in's tests.
#include "tests/e2e/InstallFlow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/common/TestInstaller.h"
#include "tools/driver/Screenshot.h"

namespace {

class RealArj : public ::testing::Test {
 protected:
  void SetUp() override {
    if (g_paths.arj.empty() || !FileExists(g_paths.arj)) {
      GTEST_SKIP() << "no real decompressor: " << (g_paths.arj.empty() ? "no --arj given" : g_paths.arj)
                   << " is missing (tools/arj/build-arj.sh builds it; build/arj-build.log says why "
                      "it failed)";
    }
    ASSERT_FALSE(FilesUnder(Archives("clean")).empty())
        << "no archives in " << Archives("clean") << " (tests/fixtures/make-real-archives.sh)";
    m_volumes = (int)FilesUnder(Archives("clean")).size();
  }

  static std::string Archives(const std::string& set) { return g_paths.archives + "\\" + set; }

  // A source folder with ARJ.EXE, VOR.INI and the volumes of one set.
  void Prepare(const std::string& set) {
    m_folder.CopyIn(g_paths.arj, "ARJ.EXE");
    m_folder.CopyFilesIn(Archives(set));
    m_folder.Write("VOR.INI", "[INSTALL]\r\nApp_Name=Real ARJ Package\r\n"
                              "[DECOMPRESSION]\r\nUse_Program=ARJ\r\nCommand_Line=x -v -y\r\n"
                              "First_File=vorpkg.arj\r\nTotal_Disks=" +
                                  std::to_string(m_volumes) + "\r\n");
  }

  // Runs an installation of the set up to the message box with that caption.
  MessageBoxView InstallUntil(Installer& app, const std::string& caption, HWND* bar = nullptr) {
    HWND dlg = app.MainDialog();
    if (dlg == nullptr || !ChooseFolder(app, dlg, Target())) return MessageBoxView();
    HWND progress = app.WaitForWindow("Decompressing Files");
    if (progress != nullptr && bar != nullptr) *bar = ::GetDlgItem(progress, 1024);
    return WaitForBox(app, caption, 60000);
  }

  // A failed installation shows the exit code's message, and the installer goes on.
  void ExpectFailure(const std::string& set, const std::string& message) {
    Prepare(set);
    Installer app(m_folder.Path());
    MessageBoxView failed = InstallUntil(app, "Installation Failed");
    ASSERT_NE(failed.hwnd, nullptr) << "no failure reported for " << set;
    EXPECT_EQ(failed.text, message) << set;
    Click(failed.hwnd, IDOK);
    Close(app);
  }

  // After an installation the main dialog's buttons come back; Exit ends the installer.
  static void Close(Installer& app) {
    HWND dlg = app.MainDialog();
    EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004) && ControlEnabled(dlg, 1025); }));
    Click(dlg, IDCANCEL);
    EXPECT_EQ(app.WaitForExit(), 0u);
  }

  std::string Target() const { return m_folder.File("target"); }
  std::string Log() const { return ReadWholeFile(m_folder.File("VORDECOMP.LOG")); }
  bool SameAsPacked(const std::string& name) const {
    return ReadWholeFile(Target() + "\\" + name) == ReadWholeFile(Archives("payload") + "\\" + name);
  }

  SourceFolder m_folder;
  int m_volumes = 0;
};

TEST_F(RealArj, MultiVolumeArchiveInstallsByteForByte) {
  ASSERT_GE(m_volumes, 4) << "a file should span several volumes";
  Prepare("clean");
  Installer app(m_folder.Path());
  HWND bar = nullptr;
  MessageBoxView done = InstallUntil(app, "Successful Installation", &bar);
  ASSERT_NE(done.hwnd, nullptr);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), m_volumes + 1);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), m_volumes + 1) << "full after a clean end";
  Click(done.hwnd, IDNO);

  const std::vector<std::string> packed = FilesUnder(Archives("payload"));
  EXPECT_EQ(FilesUnder(Target()), packed);
  for (const std::string& name : packed) EXPECT_TRUE(SameAsPacked(name)) << name;

  Close(app);
}

// The real output holds lines that the log line rules must pass over or cut right.
TEST_F(RealArj, LogHoldsTheRealProgramsLines) {
  Prepare("clean");
  Installer app(m_folder.Path());
  MessageBoxView done = InstallUntil(app, "Successful Installation");
  ASSERT_NE(done.hwnd, nullptr);
  Click(done.hwnd, IDNO);
  const std::string log = Log();
  EXPECT_EQ(log.rfind("ARJ32 v 3.10, Copyright", 0), 0u) << "the banner comes first";
  for (const char* line : {"\r\nExtended attributes enabled\r\n",
                           "\r\nProcessing archive: " /* then the full path */,
                           "\r\nArchive created: ", "\r\nExtracting DATA1.DAT ",
                           "\b\b\b\b\b 100%\b\b\b\b\bContinued on next volume, OK",
                           "\r\nExtracting sub/DATA2.DAT ", "\r\n     1 file(s)\r\n"}) {
    EXPECT_NE(log.find(line), std::string::npos) << "missing: " << line;
  }
  EXPECT_NE(log.find("Processing archive: " + m_folder.Path() + "\\vorpkg.a0" +
                     std::to_string(m_volumes - 1) + "\r\n"),
            std::string::npos)
      << "the last volume";
  size_t volumes = 0;
  for (size_t at = log.find("\r\nProcessing archive: "); at != std::string::npos;
       at = log.find("\r\nProcessing archive: ", at + 1)) {
    ++volumes;
  }
  EXPECT_EQ(volumes, (size_t)m_volumes);
  Close(app);
}

TEST_F(RealArj, MissingVolumeIsFileMissingOrCorrupt) {
  ExpectFailure("missing-volume", "File Missing or Corrupt");  // exit code 6
  // What came before the gap stays.
  EXPECT_TRUE(SameAsPacked("README.TXT"));
  EXPECT_TRUE(SameAsPacked("SETUP.EXE"));
  EXPECT_NE(Log().find("Can't open " + m_folder.Path() + "\\vorpkg.a02"), std::string::npos) << Log();
}

TEST_F(RealArj, DamagedDataIsCrcError) {
  ExpectFailure("damaged-data", "CRC Error");  // exit code 3
}

TEST_F(RealArj, DamagedHeaderIsFatalError) {
  ExpectFailure("damaged-header", "Fatal Error");  // exit code 2
  EXPECT_NE(Log().find("Bad header"), std::string::npos) << Log();
}

TEST_F(RealArj, CutVolumeIsFatalError) {
  ExpectFailure("cut-volume", "Fatal Error");  // exit code 2
}

TEST_F(RealArj, TextFileIsNotAValidArchive) {
  ExpectFailure("not-an-archive", "Not a Valid Archive");  // exit code 9
  EXPECT_NE(Log().find("is not an ARJ archive"), std::string::npos) << Log();
}

// The colour of pixel (x, y), y from the top, of a bottom-up 1-, 4- or 8-bit DIB (a BMP
// file's from its info header on, or an icon's image) as 0x00RRGGBB.
uint32_t DibPixel(const std::string& dib, int x, int y) {
  const auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(dib[at]) | static_cast<unsigned char>(dib[at + 1]) << 8 |
                                 static_cast<unsigned char>(dib[at + 2]) << 16);
  };
  const int width = static_cast<int>(u32(4)), bits = dib[14];
  const int height = static_cast<int>(u32(8)) / (width == 32 || width == 16 ? 2 : 1);
  const uint32_t colors = u32(32) != 0 ? u32(32) : 1u << bits;
  const size_t stride = (width * bits + 31) / 32 * 4, row = 40 + 4 * colors + stride * (height - 1 - y);
  const int bit = x * bits;
  const int index = (static_cast<unsigned char>(dib[row + bit / 8]) >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
  return u32(40 + 4 * static_cast<size_t>(index)) & 0xffffff;
}

// A package made by VORPACK.EXE with the packager's own logo and icon shows them: the
// logo in the main dialog and the icon in the About box, as the screen shows them, and
// both icon images as Windows loads them from the package's installer.
TEST_F(RealArj, APackagersLogoAndIconShowInTheInstaller) {
  m_folder.CopyIn(g_paths.arj, "ARJ.EXE");
  ASSERT_TRUE(::CreateDirectoryA(m_folder.File("payload").c_str(), nullptr));
  m_folder.Write("payload\\setup.exe", "MZ a setup program");
  const std::string logo = MakeTestBmp(402, 186, 4, 16), icon = MakeTestIco({{32, 4}, {16, 1}});
  m_folder.Write("logo.bmp", logo);
  m_folder.Write("icon.ico", icon);
  {
    DrivenProgram vorpack(g_paths.app + "\\VORPACK.EXE", m_folder.Path(),
                          " payload pkg --name Face --dir C:\\FACE --decompressor ARJ.EXE "
                          "--logo logo.bmp --icon icon.ico");
    ASSERT_TRUE(vorpack.Started()) << vorpack.StartError();
    ASSERT_EQ(vorpack.WaitForExit(120000), 0u) << "VORPACK.EXE makes a clean package";
  }
  const std::string exe = m_folder.File("pkg\\ZEZADERI.EXE");
  ASSERT_EQ(ReadWholeFile(exe).size(), ReadWholeFile(g_paths.app + "\\ZEZADERI.EXE").size());

  Installer app(m_folder.File("pkg"), exe);
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(SaveScreenshot(dlg, m_folder.File("dialog.bmp")), "");
  HWND control = ::GetDlgItem(dlg, 1030);
  RECT area;
  ::GetClientRect(control, &area);
  ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&area), 2);
  const std::vector<uint32_t> screen = CaptureScreen(area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  ASSERT_EQ(screen.size(), static_cast<size_t>(width) * height);
  // The logo lies centred in the frame: the best of the places around the middle.
  size_t best = 0, compared = 0;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const int left = (width - 402) / 2 + dx, top = (height - 186) / 2 + dy;
      size_t same = 0, n = 0;
      for (int y = std::max(0, top); y < std::min(height, top + 186); ++y) {
        for (int x = std::max(0, left); x < std::min(width, left + 402); ++x, ++n) {
          same += (screen[static_cast<size_t>(y) * width + x] & 0xffffff) ==
                  DibPixel(logo.substr(14), x - left, y - top);
        }
      }
      if (same > best) best = same, compared = n;
    }
  }
  EXPECT_GT(compared, 402u * 186 * 9 / 10) << "the frame shows most of the logo";
  EXPECT_GE(best * 100, compared * 99) << best << " of " << compared << " pixels as in logo.bmp";

  // Icon 128 as Windows loads it from the package's installer.
  HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HICON loaded[2] = {
      static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(128), IMAGE_ICON, 32, 32, 0)),
      static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(128), IMAGE_ICON, 16, 16, 0))};
  const std::string images[2] = {icon.substr(38, 40 + 64 + 16 * 32 + 4 * 32),
                                 icon.substr(38 + 40 + 64 + 16 * 32 + 4 * 32)};
  for (int i = 0; i < 2; ++i) {
    const int side = i == 0 ? 32 : 16;
    ASSERT_NE(loaded[i], nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, dib);
    ::DrawIconEx(dc, 0, 0, loaded[i], side, side, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    int same = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        same += (static_cast<const uint32_t*>(bits)[y * side + x] & 0xffffff) == DibPixel(images[i], x, y);
      }
    }
    EXPECT_EQ(same, side * side) << "icon 128's " << side << " x " << side << " image is icon.ico's";
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    ::DestroyIcon(loaded[i]);
  }
  ::FreeLibrary(module);

  // The About box shows the icon at its size: somewhere in its picture, the 32 x 32 image.
  ::PostMessageA(dlg, WM_SYSCOMMAND, 16, 0);
  HWND about = app.WaitForWindow("About ZEZADERI");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(SaveScreenshot(about, m_folder.File("about.bmp")), "");
  ::GetWindowRect(about, &area);
  const std::vector<uint32_t> box = CaptureScreen(area);
  const int boxWidth = area.right - area.left, boxHeight = area.bottom - area.top;
  bool found = false;
  for (int top = 0; top + 32 <= boxHeight && !found; ++top) {
    for (int left = 0; left + 32 <= boxWidth && !found; ++left) {
      found = true;
      for (int i = 0; i < 32 * 32 && found; ++i) {
        found = (box[static_cast<size_t>(top + i / 32) * boxWidth + left + i % 32] & 0xffffff) ==
                DibPixel(images[0], i % 32, i / 32);
      }
    }
  }
  EXPECT_TRUE(found) << "the About box shows icon.ico's 32 x 32 image";
  Click(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
