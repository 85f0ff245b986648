// vordrive's test of its pictures: a screen not drawn yet must not pass for a window.
#include "tools/driver/PictureCheck.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

TEST(PictureCheck, OneColourIsBlankAndADrawnWindowIsNot) {
  EXPECT_TRUE(IsBlankPicture({}));
  std::vector<uint32_t> picture(100 * 100, 0x000000);  // black, as Xvfb shows nothing
  EXPECT_TRUE(IsBlankPicture(picture));
  // The top byte is not part of the colour.
  for (std::size_t i = 0; i < picture.size(); i += 2) picture[i] = 0xFF000000;
  EXPECT_TRUE(IsBlankPicture(picture));
  // A few stray pixels do not make a picture.
  for (std::size_t i = 0; i < 50; ++i) picture[i] = 0xC0C0C0;
  EXPECT_TRUE(IsBlankPicture(picture));
  // A caption bar drawn over one line in ten does.
  for (std::size_t i = 0; i < 1000; ++i) picture[i] = 0x000080;
  EXPECT_FALSE(IsBlankPicture(picture));
}

}  // namespace
