// Whether a screenshot shows anything. A screen that shows nothing yet, or a window not
// drawn yet, comes out as one colour (black under Xvfb); a drawn window never does.
#pragma once
#include <cstdint>
#include <vector>

// True when the picture has no pixels, or one colour covers more than 99 in 100 of them.
// Pixels are 0x00RRGGBB; the top byte is not looked at.
bool IsBlankPicture(const std::vector<uint32_t>& pixels);
