// Program files with resources, for the tests of the installer's pictures: the smallest
// 32-bit PE file that holds the resources given (one section, .rsrc), and one that holds
// the installer's own logo and icon (read from res/) beside a manifest, as a built
// ZEZADERI.EXE holds them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a number of 1 to 4 bytes, little-endian, at that place.
void PutLittleEndian(std::string* b, size_t at, uint32_t v, int bytes);

// A BMP file of the given size, bits a pixel and palette colours (entry c is 0x010203 * c),
// top-down when `height` is negative; pixel (x, y), y counted in the file's row order,
// has colour (x + y) % colours.
std::string MakeTestBmp(int32_t width, int32_t height, uint32_t bits, uint32_t colors,
                        uint32_t compression = 0);
// An icon file of the given images: each a side and bits a pixel (2 colours for 1 bit,
// else 16), its pixels as MakeTestBmp's, opaque; a side of 0 stands for a PNG image.
std::string MakeTestIco(const std::vector<std::pair<uint32_t, uint32_t>>& images);

struct TestResource {
  uint32_t type, id;
  std::string bytes;
};

// Resources sorted by type, then id; the checksum set when `checksum` is true.
std::string MakeTestProgram(const std::vector<TestResource>& resources, bool checksum);

// Bitmap 169 from res/logo.bmp, icon 128 and its images 1 and 2 from res/ZEZADERI.ico,
// and a manifest (type 24, id 1). `sourceDir` is the source tree.
std::vector<TestResource> OurTestResources(const std::string& sourceDir);
std::string OurTestInstaller(const std::string& sourceDir);
