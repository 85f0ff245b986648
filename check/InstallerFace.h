// The installer's face: its logo (bitmap 169, 402 x 186 in 256 colours) and its icon
// (icon 128: a 32 x 32 and a 16 x 16 image in 16 colours). vorpack writes a packager's
// own pictures into the ZEZADERI.EXE it ships, in place: the new resources have the
// sizes of ours, so every other byte of the file stays where it was, and the PE
// checksum, where one is set, is made right again. vorcheck tells ours from a
// packager's.
//
// The program file is read by offsets, each one checked against the file's size before
// it is used: a damaged, truncated or hostile file gives a problem text, never a read
// outside it. Resources other than these two are passed over, whatever they are.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace face {

constexpr uint32_t kLogoWidth = 402, kLogoHeight = 186;
constexpr size_t kLogoResourceSize = 40 + 256 * 4 + 404 * 186;  // header, palette, rows
constexpr size_t kIconImageSizes[2] = {40 + 16 * 4 + 16 * 32 + 4 * 32,   // 32 x 32
                                       40 + 16 * 4 + 8 * 16 + 4 * 16};   // 16 x 16
constexpr uint32_t kIconSides[2] = {32, 16};

// Where the pictures lie in a program file, as this project builds it.
struct Layout {
  size_t logoOffset = 0;           // bitmap 169: a BITMAPINFOHEADER, its palette, its rows
  size_t iconOffsets[2] = {0, 0};  // icon 128's 32 x 32 and 16 x 16 images
  size_t checksumOffset = 0;       // the optional header's CheckSum field
};

// Finds the pictures in a program file. False, with why in *problem ("truncated: ...",
// "not a Windows program", "not the installer this project builds: ..."), when the file
// is damaged, cut short, or has no logo and icon of the sizes and formats above.
bool FindLayout(const std::string& exe, Layout* layout, std::string* problem);

// A logo file made into bitmap 169's resource: an uncompressed BMP of 402 x 186 pixels
// with a palette (1, 4 or 8 bits a pixel; the header of any version), made 8 bits a
// pixel with 256 palette entries, bottom-up. False, with what is needed in *why.
bool LogoResource(const std::string& bmpFile, std::string* resource, std::string* why);

// An icon file made into icon 128's two images: exactly a 32 x 32 and a 16 x 16 image,
// each a bitmap of at most 16 colours (1 or 4 bits a pixel), made 4 bits a pixel with
// 16 palette entries. False, with what is needed in *why.
bool IconResources(const std::string& icoFile, std::string images[2], std::string* why);

// Writes the logo and the icon's images (either may be empty: left as it is) into the
// program file, then the checksum if one is set. The layout comes from FindLayout.
void Replace(std::string* exe, const Layout& layout, const std::string& logo,
             const std::string images[2]);

// The PE checksum of a program file (its CheckSum field counted as zero).
uint32_t PeChecksum(const std::string& exe, size_t checksumOffset);
// The CheckSum field as the file holds it.
uint32_t StoredChecksum(const std::string& exe, const Layout& layout);

// Whether the pictures in the file are the ones this project's installer is built with
// (res/logo.bmp, res/ZEZADERI.ico): their palettes and pixels compared.
bool IsOurLogo(const std::string& exe, const Layout& layout);
bool IsOurIcon(const std::string& exe, const Layout& layout);

// The fingerprint behind IsOurLogo and IsOurIcon: CRC-32 of a resource's bytes after
// its 40-byte header (of the icon, both images').
uint32_t LogoFingerprint(const std::string& resource);
uint32_t IconFingerprint(const std::string images[2]);
extern const uint32_t kOurLogoFingerprint;
extern const uint32_t kOurIconFingerprint;

// The packager's pictures, as vorpack's options name them: the files' paths and bytes
// (a path "" when not given).
struct PackagersPictures {
  std::string logoPath, logoFile;
  std::string iconPath, iconFile;
};

// Writes the packager's logo and icon into the installer's bytes, read from
// `installerPath`. False, with a message that names the option and says what is
// needed, for a picture or an installer that is not as above; *exe is then unchanged.
bool PutPictures(const PackagersPictures& pictures, const std::string& installerPath,
                 std::string* exe, std::string* message);

// What vorcheck says of a package's installer: the line for its report ("Installer
// ZEZADERI.EXE: our logo and icon"), or why it is not an installer users can start:
// damaged, cut short, or not the one this project builds.
struct InstallerReading {
  std::string summary;
  std::string problem;
};
InstallerReading ReadInstaller(const std::string& path, const std::string& shownName);

}  // namespace face
