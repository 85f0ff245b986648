// Fuzzes the readers of the installer's pictures: whatever the bytes, as a program file,
// a BMP or an icon file, they stay inside them, and what they find fits.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check/InstallerFace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  face::Layout layout;
  std::string problem, resource, images[2];
  if (face::FindLayout(bytes, &layout, &problem)) {
    if (layout.logoOffset + face::kLogoResourceSize > size ||
        layout.iconOffsets[0] + face::kIconImageSizes[0] > size ||
        layout.iconOffsets[1] + face::kIconImageSizes[1] > size || layout.checksumOffset + 4 > size) {
      std::abort();
    }
    face::IsOurLogo(bytes, layout);
    face::IsOurIcon(bytes, layout);
  }
  if (face::LogoResource(bytes, &resource, &problem) && resource.size() != face::kLogoResourceSize) {
    std::abort();
  }
  if (face::IconResources(bytes, images, &problem) &&
      (images[0].size() != face::kIconImageSizes[0] || images[1].size() != face::kIconImageSizes[1])) {
    std::abort();
  }
  return 0;
}
