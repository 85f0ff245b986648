// The installer's pictures: a packager's logo and icon written in place into a program
// file, the refusals, and how vorcheck tells ours from a packager's.
#include "check/InstallerFace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/common/TestInstaller.h"
#include "tests/unit/ArjTestFiles.h"

namespace {

std::string ReadSource(const std::string& name) {
  std::ifstream in(std::string(VOR_SOURCE_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(InstallerFace, OurPicturesAreTheOnesTheInstallerIsBuiltWith) {
  const std::string logo = ReadSource("res/logo.bmp"), ico = ReadSource("res/ZEZADERI.ico");
  std::string resource, images[2], why;
  ASSERT_TRUE(face::LogoResource(logo, &resource, &why)) << why;
  EXPECT_EQ(resource, logo.substr(14)) << "made as the resource compiler makes bitmap 169";
  EXPECT_EQ(face::LogoFingerprint(resource), face::kOurLogoFingerprint)
      << "res/logo.bmp changed: set kOurLogoFingerprint to its new fingerprint";
  ASSERT_TRUE(face::IconResources(ico, images, &why)) << why;
  EXPECT_EQ(images[0], ico.substr(0x26, 744));
  EXPECT_EQ(images[1], ico.substr(0x26 + 744, 296));
  EXPECT_EQ(face::IconFingerprint(images), face::kOurIconFingerprint)
      << "res/ZEZADERI.ico changed: set kOurIconFingerprint to its new fingerprint";
}

TEST(InstallerFace, APackagersPicturesReplaceOursInPlace) {
  TempDir dir;
  const std::string ours = OurTestInstaller(VOR_SOURCE_DIR);
  dir.Write("ZEZADERI.EXE", ours);
  EXPECT_EQ(face::ReadInstaller(dir.File("ZEZADERI.EXE"), "ZEZADERI.EXE").summary,
            "Installer ZEZADERI.EXE: our logo and icon");

  // A 16-colour top-down logo and a 2-colour 32 x 32 image become 8 and 4 bits a pixel.
  face::PackagersPictures pictures{"logo.bmp", MakeTestBmp(402, -186, 4, 16), "icon.ico",
                                   MakeTestIco({{32, 1}, {16, 4}})};
  std::string exe = ours, message;
  ASSERT_TRUE(face::PutPictures(pictures, "ZEZADERI.EXE", &exe, &message)) << message;
  ASSERT_EQ(exe.size(), ours.size());
  face::Layout layout;
  ASSERT_TRUE(face::FindLayout(exe, &layout, &message)) << message;
  size_t changed = 0, outside = 0;
  for (size_t i = 0; i < exe.size(); ++i) {
    if (exe[i] == ours[i]) continue;
    ++changed;
    const auto within = [i](size_t start, size_t size) { return i >= start && i < start + size; };
    if (!within(layout.logoOffset, face::kLogoResourceSize) &&
        !within(layout.iconOffsets[0], face::kIconImageSizes[0]) &&
        !within(layout.iconOffsets[1], face::kIconImageSizes[1]) &&
        !within(layout.checksumOffset, 4)) {
      ++outside;
    }
  }
  EXPECT_GT(changed, 1000u);
  EXPECT_EQ(outside, 0u) << "every other byte stays";
  EXPECT_EQ(face::StoredChecksum(exe, layout), face::PeChecksum(exe, layout.checksumOffset));
  EXPECT_NE(face::StoredChecksum(exe, layout), face::StoredChecksum(ours, layout));
  // The bottom row of the top-down logo is its last: pixel (x, 185) has colour (x + 185) % 16.
  const size_t pixels = layout.logoOffset + 40 + 1024;
  EXPECT_EQ(static_cast<unsigned char>(exe[pixels + 3]), (3 + 185) % 16);
  EXPECT_EQ(static_cast<unsigned char>(exe[pixels + 404 * 185 + 3]), 3);
  EXPECT_EQ(static_cast<unsigned char>(exe[layout.iconOffsets[0] + 40 + 64]), 0x01)
      << "1 bit a pixel made 4: colours 0 and 1";
  dir.Write("ZEZADERI.EXE", exe);
  EXPECT_EQ(face::ReadInstaller(dir.File("ZEZADERI.EXE"), "ZEZADERI.EXE").summary,
            "Installer ZEZADERI.EXE: the package's own logo and icon");
  pictures.logoPath.clear();
  exe = ours;
  ASSERT_TRUE(face::PutPictures(pictures, "ZEZADERI.EXE", &exe, &message)) << message;
  dir.Write("ZEZADERI.EXE", exe);
  EXPECT_EQ(face::ReadInstaller(dir.File("ZEZADERI.EXE"), "ZEZADERI.EXE").summary,
            "Installer ZEZADERI.EXE: our logo, the package's own icon");
}

TEST(InstallerFace, WhatItCannotShowIsRefusedAndNothingChanges) {
  const std::string ours = OurTestInstaller(VOR_SOURCE_DIR);
  const std::string logo = MakeTestBmp(402, 186, 8, 256), icon = MakeTestIco({{32, 4}, {16, 4}});
  std::string png = "\x89PNG\r\n\x1a\n" + std::string(100, '\0');
  std::string wideLogo = MakeTestBmp(403, 186, 8, 256), cutLogo = logo.substr(0, 5000);
  std::string paletteOver = logo;
  PutLittleEndian(&paletteOver, 46, 300, 4);
  std::vector<TestResource> smallLogo = OurTestResources(VOR_SOURCE_DIR);
  smallLogo[0].bytes = MakeTestBmp(200, 100, 8, 256).substr(14);
  std::vector<TestResource> noLogo = OurTestResources(VOR_SOURCE_DIR);
  noLogo.erase(noLogo.begin());
  std::string badDirectory = ours;
  PutLittleEndian(&badDirectory, 0x200 + 20, 0xfffff000, 4);  // the root's first entry points far away
  struct Case {
    std::string logo, icon, installer, message;
  };
  const std::string logoNeeds = "the logo must be a BMP file of 402 x 186 pixels with a palette "
                                "of at most 256 colours (8 bits a pixel or fewer), uncompressed";
  const std::string iconNeeds = "the icon must be an icon file of two images, 32 x 32 and 16 x 16 "
                                "pixels, each in 16 colours (4 bits a pixel)";
  const std::string notOurs = "the installer ZEZADERI.EXE: not the installer this project builds: ";
  const Case cases[] = {
      {png, "", ours, "--logo L: a PNG file, not a BMP: " + logoNeeds},
      {wideLogo, "", ours, "--logo L: a picture of 403 x 186 pixels: " + logoNeeds},
      {MakeTestBmp(402, 186, 24, 0), "", ours, "--logo L: a picture of 24 bits a pixel, without a palette"},
      {MakeTestBmp(402, 186, 8, 256, 1), "", ours, "--logo L: a compressed BMP (RLE): " + logoNeeds},
      {cutLogo, "", ours, "--logo L: a damaged BMP file: its palette or its pixels are cut short"},
      {paletteOver, "", ours, "--logo L: a damaged BMP file"},
      {"", png, ours, "--icon I: a PNG file, not an icon file: " + iconNeeds},
      {"", MakeTestIco({{0, 0}, {16, 4}}), ours, "--icon I: an icon file with a PNG image: " + iconNeeds},
      {"", MakeTestIco({{32, 8}, {16, 4}}), ours, "--icon I: an icon file with a 32 x 32 image of 8 bits"},
      {"", MakeTestIco({{32, 4}, {16, 4}, {48, 4}}), ours, "--icon I: an icon file of 3 images: " + iconNeeds},
      {"", MakeTestIco({{32, 4}, {32, 4}}), ours, "--icon I: an icon file with an image of 32 x 32 pixels"},
      {"", icon.substr(0, 400), ours, "--icon I: an icon file cut short"},
      {logo, "", "MZ", "the installer ZEZADERI.EXE: not a Windows program (no MZ header); --logo "
                       "and --icon go into a ZEZADERI.EXE as make build makes it"},
      {logo, "", ours.substr(0, ours.size() - 1000), "the installer ZEZADERI.EXE: truncated: "},
      {logo, "", MakeTestProgram(smallLogo, true), notOurs + "its bitmap 169 is not a 402 x 186"},
      {logo, icon, MakeTestProgram(noLogo, false), notOurs + "it has no bitmap 169, the logo"},
      {"", icon, badDirectory, "the installer ZEZADERI.EXE: damaged: its resource directory"},
  };
  for (const Case& c : cases) {
    const face::PackagersPictures pictures{c.logo.empty() ? "" : "L", c.logo,
                                           c.icon.empty() ? "" : "I", c.icon};
    std::string exe = c.installer, message;
    EXPECT_FALSE(face::PutPictures(pictures, "ZEZADERI.EXE", &exe, &message)) << c.message;
    EXPECT_EQ(message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(exe, c.installer) << c.message;
  }
}

TEST(InstallerFace, VorcheckReportsAnInstallerUsersCannotStart) {
  TempDir dir;
  std::string damaged = OurTestInstaller(VOR_SOURCE_DIR);
  damaged[0x300] = static_cast<char>(damaged[0x300] ^ 1);
  const std::string ours = OurTestInstaller(VOR_SOURCE_DIR);
  const std::pair<std::string, std::string> cases[] = {
      {damaged, "damaged: its bytes do not match its checksum"},
      {ours.substr(0, 0x300), "truncated: 768 bytes, but its sections take "},
      {"MZ", "not a Windows program (no MZ header)"},
  };
  for (const auto& c : cases) {
    dir.Write("ZEZADERI.EXE", c.first);
    const face::InstallerReading reading = face::ReadInstaller(dir.File("ZEZADERI.EXE"), "ZEZADERI.EXE");
    EXPECT_EQ(reading.summary, "");
    EXPECT_EQ(reading.problem.substr(0, c.second.size()), c.second);
  }
}

}  // namespace
