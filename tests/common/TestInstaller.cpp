#include "tests/common/TestInstaller.h"

#include <fstream>
#include <iterator>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A resource directory's header and entries: (id, offset) pairs.
std::string Directory(const std::vector<std::pair<uint32_t, uint32_t>>& entries) {
  std::string d(16 + 8 * entries.size(), '\0');
  PutLittleEndian(&d, 14, static_cast<uint32_t>(entries.size()), 2);
  for (size_t i = 0; i < entries.size(); ++i) {
    PutLittleEndian(&d, 16 + 8 * i, entries[i].first, 4);
    PutLittleEndian(&d, 20 + 8 * i, entries[i].second, 4);
  }
  return d;
}

}  // namespace

void PutLittleEndian(std::string* b, size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) (*b)[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

std::string MakeTestBmp(int32_t width, int32_t height, uint32_t bits, uint32_t colors,
                        uint32_t compression) {
  const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
  const size_t stride = (width * bits + 31) / 32 * 4, pixels = 54 + 4 * colors;
  std::string b(pixels + stride * rows, '\0');
  b[0] = 'B';
  b[1] = 'M';
  PutLittleEndian(&b, 2, static_cast<uint32_t>(b.size()), 4);
  PutLittleEndian(&b, 10, static_cast<uint32_t>(pixels), 4);
  PutLittleEndian(&b, 14, 40, 4);
  PutLittleEndian(&b, 18, static_cast<uint32_t>(width), 4);
  PutLittleEndian(&b, 22, static_cast<uint32_t>(height), 4);
  PutLittleEndian(&b, 26, 1, 2);
  PutLittleEndian(&b, 28, bits, 2);
  PutLittleEndian(&b, 30, compression, 4);
  PutLittleEndian(&b, 46, colors, 4);
  for (uint32_t c = 0; c < colors; ++c) PutLittleEndian(&b, 54 + 4 * c, 0x010203 * c, 4);
  for (size_t y = 0; y < rows; ++y) {
    for (int32_t x = 0; x < width && bits <= 8; ++x) {
      const uint32_t bit = x * bits, index = (x + static_cast<uint32_t>(y)) % colors;
      b[pixels + stride * y + bit / 8] |= static_cast<char>(index << (8 - bits - bit % 8));
    }
  }
  return b;
}

std::string MakeTestIco(const std::vector<std::pair<uint32_t, uint32_t>>& images) {
  std::string dir(6 + 16 * images.size(), '\0'), data;
  PutLittleEndian(&dir, 2, 1, 2);
  PutLittleEndian(&dir, 4, static_cast<uint32_t>(images.size()), 2);
  for (size_t i = 0; i < images.size(); ++i) {
    const uint32_t side = images[i].first, bits = images[i].second;
    std::string image = "\x89PNG\r\n\x1a\n";
    if (side > 0) {
      const std::string bmp = MakeTestBmp(side, side, bits, bits == 1 ? 2 : 16);
      image = bmp.substr(14) + std::string((side + 31) / 32 * 4 * side, '\0');  // the mask
      PutLittleEndian(&image, 8, 2 * side, 4);
    }
    dir[6 + 16 * i] = static_cast<char>(side);
    PutLittleEndian(&dir, 6 + 16 * i + 8, static_cast<uint32_t>(image.size()), 4);
    PutLittleEndian(&dir, 6 + 16 * i + 12, static_cast<uint32_t>(dir.size() + data.size()), 4);
    data += image;
  }
  return dir + data;
}

std::string MakeTestProgram(const std::vector<TestResource>& resources, bool checksum) {
  constexpr uint32_t kSectionRva = 0x1000, kSubdirectory = 0x80000000u;
  // The tree: the root, one directory a type, one a name, one a language each.
  std::vector<uint32_t> types;
  for (const TestResource& r : resources) {
    if (types.empty() || types.back() != r.type) types.push_back(r.type);
  }
  const size_t n = resources.size();
  const uint32_t root = 16 + 8 * static_cast<uint32_t>(types.size());
  uint32_t at = root;
  std::vector<uint32_t> typeDirs, nameDirs(n), dataEntries(n), blobs(n);
  for (uint32_t type : types) {
    typeDirs.push_back(at);
    for (const TestResource& r : resources) at += r.type == type ? 8 : 0;
    at += 16;
  }
  for (size_t i = 0; i < n; ++i, at += 24) nameDirs[i] = at;  // one language
  for (size_t i = 0; i < n; ++i, at += 16) dataEntries[i] = at;
  for (size_t i = 0; i < n; ++i) {
    blobs[i] = at;
    at += (static_cast<uint32_t>(resources[i].bytes.size()) + 3) & ~3u;
  }
  std::string rsrc(at, '\0');
  std::vector<std::pair<uint32_t, uint32_t>> rootEntries;
  for (size_t t = 0; t < types.size(); ++t) {
    rootEntries.push_back({types[t], typeDirs[t] | kSubdirectory});
    std::vector<std::pair<uint32_t, uint32_t>> names;
    for (size_t i = 0; i < n; ++i) {
      if (resources[i].type == types[t]) names.push_back({resources[i].id, nameDirs[i] | kSubdirectory});
    }
    rsrc.replace(typeDirs[t], 16 + 8 * names.size(), Directory(names));
  }
  rsrc.replace(0, root, Directory(rootEntries));
  for (size_t i = 0; i < n; ++i) {
    rsrc.replace(nameDirs[i], 24, Directory({{0x409, dataEntries[i]}}));
    PutLittleEndian(&rsrc, dataEntries[i], kSectionRva + blobs[i], 4);
    PutLittleEndian(&rsrc, dataEntries[i] + 4, static_cast<uint32_t>(resources[i].bytes.size()), 4);
    rsrc.replace(blobs[i], resources[i].bytes.size(), resources[i].bytes);
  }
  const uint32_t raw = (static_cast<uint32_t>(rsrc.size()) + 0x1ff) & ~0x1ffu;
  rsrc.resize(raw, '\0');

  std::string exe(0x200, '\0');
  exe[0] = 'M';
  exe[1] = 'Z';
  PutLittleEndian(&exe, 0x3c, 0x40, 4);
  exe.replace(0x40, 4, std::string("PE\0\0", 4));
  PutLittleEndian(&exe, 0x44, 0x14c, 2);  // i386
  PutLittleEndian(&exe, 0x46, 1, 2);      // one section
  PutLittleEndian(&exe, 0x54, 224, 2);    // the optional header's size
  PutLittleEndian(&exe, 0x56, 0x102, 2);
  const size_t opt = 0x58;
  PutLittleEndian(&exe, opt, 0x10b, 2);
  PutLittleEndian(&exe, opt + 32, 0x1000, 4);  // section alignment
  PutLittleEndian(&exe, opt + 36, 0x200, 4);   // file alignment
  PutLittleEndian(&exe, opt + 56, kSectionRva + ((raw + 0xfff) & ~0xfffu), 4);
  PutLittleEndian(&exe, opt + 60, 0x200, 4);
  PutLittleEndian(&exe, opt + 68, 2, 2);    // GUI
  PutLittleEndian(&exe, opt + 92, 16, 4);   // data directories
  PutLittleEndian(&exe, opt + 96 + 16, kSectionRva, 4);
  PutLittleEndian(&exe, opt + 96 + 20, static_cast<uint32_t>(at), 4);
  const size_t section = opt + 224;
  exe.replace(section, 5, ".rsrc");
  PutLittleEndian(&exe, section + 8, at, 4);
  PutLittleEndian(&exe, section + 12, kSectionRva, 4);
  PutLittleEndian(&exe, section + 16, raw, 4);
  PutLittleEndian(&exe, section + 20, 0x200, 4);
  PutLittleEndian(&exe, section + 36, 0x40000040, 4);
  exe += rsrc;
  if (checksum) {
    uint64_t sum = 0;
    for (size_t i = 0; i < exe.size(); i += 2) {
      sum += static_cast<unsigned char>(exe[i]) | static_cast<unsigned char>(exe[i + 1]) << 8;
      sum = (sum & 0xffff) + (sum >> 16);
    }
    PutLittleEndian(&exe, opt + 64, static_cast<uint32_t>(((sum & 0xffff) + (sum >> 16)) + exe.size()), 4);
  }
  return exe;
}

std::vector<TestResource> OurTestResources(const std::string& sourceDir) {
  const std::string logo = ReadFile(sourceDir + "/res/logo.bmp");
  const std::string ico = ReadFile(sourceDir + "/res/ZEZADERI.ico");
  std::string group(6 + 2 * 14, '\0');
  group.replace(0, 6, ico, 0, 6);
  std::vector<TestResource> images;
  for (uint32_t i = 0; i < 2 && ico.size() >= 6 + 16 * (i + 1); ++i) {
    const size_t entry = 6 + 16 * i;
    group.replace(6 + 14 * i, 12, ico, entry, 12);
    PutLittleEndian(&group, 6 + 14 * i + 12, i + 1, 2);
    uint32_t size = 0, offset = 0;
    for (int k = 3; k >= 0; --k) {
      size = size << 8 | static_cast<unsigned char>(ico[entry + 8 + k]);
      offset = offset << 8 | static_cast<unsigned char>(ico[entry + 12 + k]);
    }
    images.push_back({3, i + 1, ico.substr(offset, size)});
  }
  std::vector<TestResource> all = {{2, 169, logo.size() > 14 ? logo.substr(14) : ""}};
  all.insert(all.end(), images.begin(), images.end());
  all.push_back({14, 128, group});
  all.push_back({24, 1, "<assembly manifestVersion=\"1.0\"/>"});
  return all;
}

std::string OurTestInstaller(const std::string& sourceDir) {
  return MakeTestProgram(OurTestResources(sourceDir), true);
}
