#include "check/InstallerFace.h"

#include <memory>

#include "check/ArjHeaders.h"

namespace face {

// res/logo.bmp and res/ZEZADERI.ico as the installer is built with them (tools/artgen
// makes both; the unit tests compare these with the files).
const uint32_t kOurLogoFingerprint = 0xd6226fb3u;
const uint32_t kOurIconFingerprint = 0x5d66e8ffu;

namespace {

constexpr size_t kDibHeaderSize = 40;
constexpr uint32_t kBitmapType = 2, kIconType = 3, kGroupIconType = 14;
constexpr uint32_t kLogoId = 169, kIconId = 128;
constexpr uint32_t kSubdirectory = 0x80000000u;
const char kPngSignature[] = "\x89PNG\r\n\x1a\n";

bool Has(const std::string& b, uint64_t at, uint64_t n) { return at <= b.size() && n <= b.size() - at; }
uint32_t U8(const std::string& b, size_t at) { return static_cast<unsigned char>(b[at]); }
uint32_t U16(const std::string& b, size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t S32(const std::string& b, size_t at) {
  const uint32_t u = U32(b, at);
  return u <= 0x7fffffffu ? static_cast<int32_t>(u) : -static_cast<int32_t>(~u) - 1;
}
void Put16(std::string* b, size_t at, uint32_t v) {
  (*b)[at] = static_cast<char>(v & 0xff);
  (*b)[at + 1] = static_cast<char>((v >> 8) & 0xff);
}
void Put32(std::string* b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xffff);
  Put16(b, at + 2, v >> 16);
}
bool IsPng(const std::string& b, size_t at = 0) {
  return Has(b, at, 8) && b.compare(at, 8, kPngSignature, 8) == 0;
}
std::string Size(uint32_t w, int64_t h) { return std::to_string(w) + " x " + std::to_string(h); }
size_t Stride(uint32_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

// A BITMAPINFOHEADER of a palette picture, as the resources hold them.
std::string DibHeader(uint32_t width, uint32_t height, uint32_t bits, uint32_t imageSize,
                      uint32_t pixelsPerMetre, uint32_t colorsUsed) {
  std::string h(kDibHeaderSize, '\0');
  Put32(&h, 0, kDibHeaderSize);
  Put32(&h, 4, width);
  Put32(&h, 8, height);
  Put16(&h, 12, 1);
  Put16(&h, 14, bits);
  Put32(&h, 20, imageSize);
  Put32(&h, 24, pixelsPerMetre);
  Put32(&h, 28, pixelsPerMetre);
  Put32(&h, 32, colorsUsed);
  return h;
}

// The palette indices of a row of 1, 4 or 8 bits a pixel; false for an index beyond
// the palette.
bool RowIndices(const std::string& b, size_t row, uint32_t width, uint32_t bits, uint32_t colors,
                unsigned char* out) {
  for (uint32_t x = 0; x < width; ++x) {
    const uint32_t bit = x * bits;
    const uint32_t byte = U8(b, row + bit / 8);
    const uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
    if (index >= colors) return false;
    out[x] = static_cast<unsigned char>(index);
  }
  return true;
}

// The resources of a program file, read by offsets with every one checked.
class ResourceReader {
 public:
  explicit ResourceReader(const std::string& exe) : m_exe(exe) {}
  bool Open(size_t* checksumOffset, std::string* problem);
  // The file offset and size of resource `type`/`id` (its first language); false when
  // there is none, with *problem set when the directory is damaged.
  bool Find(uint32_t type, uint32_t id, size_t* offset, uint32_t* size, std::string* problem);

 private:
  bool FileOffset(uint32_t rva, uint32_t size, size_t* offset) const;
  bool Entry(size_t directory, uint32_t id, uint32_t* target, std::string* problem) const;

  const std::string& m_exe;
  size_t m_sections = 0, m_sectionCount = 0;
  size_t m_resources = 0, m_resourceSize = 0;  // the resource directory in the file
};

bool ResourceReader::Open(size_t* checksumOffset, std::string* problem) {
  const std::string& b = m_exe;
  if (!Has(b, 0, 64) || b.compare(0, 2, "MZ") != 0) {
    *problem = "not a Windows program (no MZ header)";
    return false;
  }
  const uint32_t pe = U32(b, 0x3c);
  if (!Has(b, pe, 24)) {
    *problem = "truncated: the file ends before its PE header";
    return false;
  }
  if (b.compare(pe, 4, std::string("PE\0\0", 4)) != 0) {
    *problem = "not a Windows program (no PE header)";
    return false;
  }
  m_sectionCount = U16(b, pe + 6);
  const uint32_t optionalSize = U16(b, pe + 20);
  const size_t optional = pe + 24;
  if (!Has(b, optional, optionalSize)) {
    *problem = "truncated: the file ends inside its PE header";
    return false;
  }
  const uint32_t magic = optionalSize >= 2 ? U16(b, optional) : 0;
  const size_t directories = magic == 0x10b ? 96 : magic == 0x20b ? 112 : 0;
  if (directories == 0 || optionalSize < directories + 3 * 8) {
    *problem = "damaged: its PE header is not one of a 32- or 64-bit program";
    return false;
  }
  *checksumOffset = optional + 64;
  m_sections = optional + optionalSize;
  if (!Has(b, m_sections, uint64_t{m_sectionCount} * 40)) {
    *problem = "truncated: the file ends inside its section table";
    return false;
  }
  for (size_t i = 0; i < m_sectionCount; ++i) {
    const size_t s = m_sections + i * 40;
    if (!Has(b, U32(b, s + 20), U32(b, s + 16))) {
      *problem = "truncated: " + std::to_string(b.size()) + " bytes, but its sections take " +
                 std::to_string(uint64_t{U32(b, s + 20)} + U32(b, s + 16)) +
                 " (a download or copy cut short?)";
      return false;
    }
  }
  const uint32_t count = U32(b, optional + directories - 4);
  const uint32_t rva = count > 2 ? U32(b, optional + directories + 16) : 0;
  const uint32_t size = count > 2 ? U32(b, optional + directories + 20) : 0;
  if (rva == 0 || size == 0) {
    *problem = "not the installer this project builds: it has no resources";
    return false;
  }
  if (!FileOffset(rva, size, &m_resources)) {
    *problem = "damaged: its resources lie outside its sections";
    return false;
  }
  m_resourceSize = size;
  return true;
}

bool ResourceReader::FileOffset(uint32_t rva, uint32_t size, size_t* offset) const {
  for (size_t i = 0; i < m_sectionCount; ++i) {
    const size_t s = m_sections + i * 40;
    const uint32_t start = U32(m_exe, s + 12), rawSize = U32(m_exe, s + 16);
    if (rva >= start && rva - start < rawSize && size <= rawSize - (rva - start)) {
      *offset = U32(m_exe, s + 20) + (rva - start);  // the section lies in the file
      return true;
    }
  }
  return false;
}

// The target of a directory's entry with that id: a subdirectory (the high bit set) or
// a data entry, relative to the resource directory's start.
bool ResourceReader::Entry(size_t directory, uint32_t id, uint32_t* target,
                           std::string* problem) const {
  if (directory + 16 > m_resourceSize) {
    *problem = "damaged: its resource directory points outside itself";
    return false;
  }
  const size_t at = m_resources + directory;
  const size_t named = U16(m_exe, at + 12), ids = U16(m_exe, at + 14);
  if (directory + 16 + (named + ids) * 8 > m_resourceSize) {
    *problem = "damaged: its resource directory points outside itself";
    return false;
  }
  for (size_t i = named; i < named + ids; ++i) {
    const size_t entry = at + 16 + i * 8;
    if (id == 0xffffffffu || U32(m_exe, entry) == id) {  // any: the first language
      *target = U32(m_exe, entry + 4);
      return true;
    }
  }
  return false;
}

bool ResourceReader::Find(uint32_t type, uint32_t id, size_t* offset, uint32_t* size,
                          std::string* problem) {
  uint32_t names = 0, languages = 0, data = 0;
  if (!Entry(0, type, &names, problem) || !(names & kSubdirectory) ||
      !Entry(names & ~kSubdirectory, id, &languages, problem) || !(languages & kSubdirectory) ||
      !Entry(languages & ~kSubdirectory, 0xffffffffu, &data, problem) || (data & kSubdirectory)) {
    return false;
  }
  if (uint64_t{data} + 16 > m_resourceSize) {
    *problem = "damaged: its resource directory points outside itself";
    return false;
  }
  *size = U32(m_exe, m_resources + data + 4);
  if (!FileOffset(U32(m_exe, m_resources + data), *size, offset)) {
    *problem = "damaged: a resource lies outside its sections";
    return false;
  }
  return true;
}

bool IsDibOf(const std::string& b, size_t at, uint32_t width, uint32_t height, uint32_t bits) {
  return U32(b, at) == kDibHeaderSize && U32(b, at + 4) == width && U32(b, at + 8) == height &&
         U16(b, at + 12) == 1 && U16(b, at + 14) == bits && U32(b, at + 16) == 0;
}

}  // namespace

bool FindLayout(const std::string& exe, Layout* layout, std::string* problem) {
  problem->clear();
  ResourceReader reader(exe);
  if (!reader.Open(&layout->checksumOffset, problem)) return false;
  const std::string notOurs = "not the installer this project builds: ";
  size_t offset = 0;
  uint32_t size = 0;
  if (!reader.Find(kBitmapType, kLogoId, &offset, &size, problem)) {
    if (problem->empty()) *problem = notOurs + "it has no bitmap 169, the logo";
    return false;
  }
  if (size != kLogoResourceSize || !IsDibOf(exe, offset, kLogoWidth, kLogoHeight, 8)) {
    *problem = notOurs + "its bitmap 169 is not a " + Size(kLogoWidth, kLogoHeight) +
               " picture in 256 colours";
    return false;
  }
  layout->logoOffset = offset;
  if (!reader.Find(kGroupIconType, kIconId, &offset, &size, problem)) {
    if (problem->empty()) *problem = notOurs + "it has no icon 128";
    return false;
  }
  const std::string wrongIcon =
      notOurs + "its icon 128 is not a 32 x 32 and a 16 x 16 image in 16 colours";
  if (size != 6 + 2 * 14 || U16(exe, offset) != 0 || U16(exe, offset + 2) != 1 ||
      U16(exe, offset + 4) != 2) {
    *problem = wrongIcon;
    return false;
  }
  for (int i = 0; i < 2; ++i) {
    const size_t entry = offset + 6 + 14 * static_cast<size_t>(i);
    const uint32_t side = kIconSides[i];
    size_t image = 0;
    uint32_t imageSize = 0;
    if (U8(exe, entry) != side || U8(exe, entry + 1) != side || U16(exe, entry + 6) != 4 ||
        U32(exe, entry + 8) != kIconImageSizes[i] ||
        !reader.Find(kIconType, U16(exe, entry + 12), &image, &imageSize, problem) ||
        imageSize != kIconImageSizes[i] || !IsDibOf(exe, image, side, 2 * side, 4)) {
      if (problem->empty()) *problem = wrongIcon;
      return false;
    }
    layout->iconOffsets[i] = image;
  }
  return true;
}

bool LogoResource(const std::string& bmp, std::string* resource, std::string* why) {
  const std::string needed = ": the logo must be a BMP file of 402 x 186 pixels with a palette "
                             "of at most 256 colours (8 bits a pixel or fewer), uncompressed";
  if (IsPng(bmp)) {
    *why = "a PNG file, not a BMP" + needed;
    return false;
  }
  if (!Has(bmp, 0, 14 + kDibHeaderSize) || bmp.compare(0, 2, "BM") != 0 ||
      U32(bmp, 14) < kDibHeaderSize || !Has(bmp, 14, U32(bmp, 14))) {
    *why = "not a BMP file, or one cut short" + needed;
    return false;
  }
  const uint32_t width = U32(bmp, 18), bits = U16(bmp, 28), compression = U32(bmp, 30);
  const int32_t signedHeight = S32(bmp, 22);
  const int64_t height = signedHeight < 0 ? -int64_t{signedHeight} : signedHeight;
  if (width != kLogoWidth || height != kLogoHeight) {
    *why = "a picture of " + Size(width, height) + " pixels" + needed;
    return false;
  }
  if (bits != 1 && bits != 4 && bits != 8) {
    *why = "a picture of " + std::to_string(bits) + " bits a pixel, without a palette" + needed;
    return false;
  }
  if (compression != 0) {
    *why = "a compressed BMP (RLE)" + needed;
    return false;
  }
  const uint32_t used = U32(bmp, 46), colors = used == 0 ? 1u << bits : used;
  const size_t palette = 14 + U32(bmp, 14), pixels = U32(bmp, 10);
  const size_t stride = Stride(width, bits);
  if (colors > (1u << bits) || !Has(bmp, palette, colors * 4) ||
      !Has(bmp, pixels, uint64_t{stride} * kLogoHeight)) {
    *why = "a damaged BMP file: its palette or its pixels are cut short" + needed;
    return false;
  }
  const size_t outStride = Stride(kLogoWidth, 8);
  *resource = DibHeader(kLogoWidth, kLogoHeight, 8, static_cast<uint32_t>(outStride * kLogoHeight),
                        2835, 256);
  std::string outPalette(256 * 4, '\0');
  for (size_t i = 0; i < colors; ++i) outPalette.replace(i * 4, 3, bmp, palette + i * 4, 3);
  *resource += outPalette;
  std::string row(outStride, '\0');
  for (uint32_t y = 0; y < kLogoHeight; ++y) {  // bottom-up, as the resources hold rows
    const size_t from = pixels + stride * (signedHeight < 0 ? kLogoHeight - 1 - y : y);
    if (!RowIndices(bmp, from, width, bits, colors, reinterpret_cast<unsigned char*>(&row[0]))) {
      *why = "a damaged BMP file: a pixel's colour lies beyond its palette" + needed;
      return false;
    }
    *resource += row;
  }
  return true;
}

bool IconResources(const std::string& ico, std::string images[2], std::string* why) {
  const std::string needed = ": the icon must be an icon file of two images, 32 x 32 and "
                             "16 x 16 pixels, each in 16 colours (4 bits a pixel)";
  if (IsPng(ico)) {
    *why = "a PNG file, not an icon file" + needed;
    return false;
  }
  if (!Has(ico, 0, 6) || U16(ico, 0) != 0 || U16(ico, 2) != 1) {
    *why = "not an icon file" + needed;
    return false;
  }
  const uint32_t count = U16(ico, 4);
  if (count != 2) {
    *why = "an icon file of " + std::to_string(count) + (count == 1 ? " image" : " images") + needed;
    return false;
  }
  if (!Has(ico, 6, 2 * 16)) {
    *why = "an icon file cut short" + needed;
    return false;
  }
  images[0].clear();
  images[1].clear();
  for (size_t i = 0; i < count; ++i) {
    const size_t at = U32(ico, 6 + 16 * i + 12), size = U32(ico, 6 + 16 * i + 8);
    if (!Has(ico, at, size)) {
      *why = "an icon file cut short" + needed;
      return false;
    }
    const std::string image = ico.substr(at, size);
    if (IsPng(image)) {
      *why = "an icon file with a PNG image" + needed;
      return false;
    }
    if (!Has(image, 0, kDibHeaderSize) || U32(image, 0) != kDibHeaderSize) {
      *why = "a damaged icon file" + needed;
      return false;
    }
    const uint32_t width = U32(image, 4), height = U32(image, 8), bits = U16(image, 14);
    const int slot = width == 32 ? 0 : width == 16 ? 1 : -1;
    if (slot < 0 || height != 2 * width || !images[slot].empty()) {
      *why = "an icon file with an image of " + Size(width, height / 2) + " pixels" + needed;
      return false;
    }
    const uint32_t used = U32(image, 32), colors = used == 0 ? 1u << (bits & 15) : used;
    if ((bits != 1 && bits != 4) || U32(image, 16) != 0 || colors > (1u << bits)) {
      *why = "an icon file with a " + Size(width, width) + " image of " + std::to_string(bits) +
             " bits a pixel" + (U32(image, 16) != 0 ? ", compressed" : "") + needed;
      return false;
    }
    const size_t stride = Stride(width, bits), maskStride = Stride(width, 1);
    const size_t pixels = kDibHeaderSize + colors * 4, mask = pixels + stride * width;
    if (!Has(image, mask, maskStride * width)) {
      *why = "an icon file whose " + Size(width, width) + " image is cut short" + needed;
      return false;
    }
    const size_t outStride = Stride(width, 4);
    std::string& out = images[slot];
    out = DibHeader(width, 2 * width, 4,
                    static_cast<uint32_t>((outStride + maskStride) * width), 0, 0);
    std::string palette(16 * 4, '\0');
    for (size_t c = 0; c < colors; ++c) {
      palette.replace(c * 4, 3, image, kDibHeaderSize + c * 4, 3);
    }
    out += palette;
    unsigned char indices[32];
    for (uint32_t y = 0; y < width; ++y) {
      if (!RowIndices(image, pixels + stride * y, width, bits, colors, indices)) {
        *why = "a damaged icon file: a pixel's colour lies beyond its palette" + needed;
        return false;
      }
      std::string row(outStride, '\0');
      for (uint32_t x = 0; x < width; ++x) {
        row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? indices[x] : indices[x] << 4));
      }
      out += row;
    }
    out += image.substr(mask, maskStride * width);
  }
  return true;
}

uint32_t PeChecksum(const std::string& exe, size_t checksumOffset) {
  uint64_t sum = 0;
  const auto byte = [&](size_t i) -> uint32_t {
    return i >= exe.size() || (i >= checksumOffset && i < checksumOffset + 4) ? 0 : U8(exe, i);
  };
  for (size_t i = 0; i < exe.size(); i += 2) {
    sum += byte(i) | byte(i + 1) << 8;
    sum = (sum & 0xffff) + (sum >> 16);
  }
  sum = (sum & 0xffff) + (sum >> 16);
  return static_cast<uint32_t>(sum + exe.size());
}

uint32_t StoredChecksum(const std::string& exe, const Layout& layout) {
  return U32(exe, layout.checksumOffset);
}

void Replace(std::string* exe, const Layout& layout, const std::string& logo,
             const std::string images[2]) {
  if (!logo.empty()) exe->replace(layout.logoOffset, logo.size(), logo);
  for (int i = 0; i < 2; ++i) {
    if (!images[i].empty()) exe->replace(layout.iconOffsets[i], images[i].size(), images[i]);
  }
  if (StoredChecksum(*exe, layout) != 0) {
    Put32(exe, layout.checksumOffset, PeChecksum(*exe, layout.checksumOffset));
  }
}

uint32_t LogoFingerprint(const std::string& resource) {
  return resource.size() < kDibHeaderSize
             ? 0
             : arj::Crc32(resource.data() + kDibHeaderSize, resource.size() - kDibHeaderSize);
}

uint32_t IconFingerprint(const std::string images[2]) {
  uint32_t crc = 0;
  for (int i = 0; i < 2; ++i) {
    if (images[i].size() >= kDibHeaderSize)
      crc = arj::Crc32(images[i].data() + kDibHeaderSize, images[i].size() - kDibHeaderSize, crc);
  }
  return crc;
}

bool IsOurLogo(const std::string& exe, const Layout& layout) {
  return LogoFingerprint(exe.substr(layout.logoOffset, kLogoResourceSize)) == kOurLogoFingerprint;
}

bool IsOurIcon(const std::string& exe, const Layout& layout) {
  const std::string images[2] = {exe.substr(layout.iconOffsets[0], kIconImageSizes[0]),
                                 exe.substr(layout.iconOffsets[1], kIconImageSizes[1])};
  return IconFingerprint(images) == kOurIconFingerprint;
}

bool PutPictures(const PackagersPictures& pictures, const std::string& installerPath,
                 std::string* exe, std::string* message) {
  std::string logo, images[2], why;
  if (!pictures.logoPath.empty() && !LogoResource(pictures.logoFile, &logo, &why)) {
    *message = "--logo " + pictures.logoPath + ": " + why;
    return false;
  }
  if (!pictures.iconPath.empty() && !IconResources(pictures.iconFile, images, &why)) {
    *message = "--icon " + pictures.iconPath + ": " + why;
    return false;
  }
  if (logo.empty() && images[0].empty()) return true;
  Layout layout;
  if (!FindLayout(*exe, &layout, &why)) {
    *message = "the installer " + installerPath + ": " + why +
               "; --logo and --icon go into a ZEZADERI.EXE as make build makes it";
    return false;
  }
  Replace(exe, layout, logo, images);
  return true;
}

InstallerReading ReadInstaller(const std::string& path, const std::string& shownName) {
  constexpr uint64_t kMaxInstallerBytes = 16 << 20;  // ours is below 256 KB
  InstallerReading reading;
  std::string why;
  std::unique_ptr<FileSource> file = FileSource::Open(path, &why);
  if (!file) {
    reading.problem = why;
    return reading;
  }
  if (file->Size() > kMaxInstallerBytes) {
    reading.problem = "not the installer this project builds: " + std::to_string(file->Size()) +
                      " bytes, ours has less than 256 KB";
    return reading;
  }
  const std::string exe = file->ReadFront(kMaxInstallerBytes);
  Layout layout;
  if (exe.size() != file->Size()) {
    reading.problem = "cannot be read";
  } else if (FindLayout(exe, &layout, &reading.problem) && StoredChecksum(exe, layout) != 0 &&
             StoredChecksum(exe, layout) != PeChecksum(exe, layout.checksumOffset)) {
    reading.problem = "damaged: its bytes do not match its checksum";
  }
  if (!reading.problem.empty()) {
    reading.problem += ": users cannot start it, or not as this package's installer";
    return reading;
  }
  const bool ourLogo = IsOurLogo(exe, layout), ourIcon = IsOurIcon(exe, layout);
  reading.summary = "Installer " + shownName + ": " +
                    (ourLogo && ourIcon ? "our logo and icon"
                     : ourLogo          ? "our logo, the package's own icon"
                     : ourIcon          ? "the package's own logo, our icon"
                                        : "the package's own logo and icon");
  return reading;
}

}  // namespace face
