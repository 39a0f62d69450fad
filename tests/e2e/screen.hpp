// What the screen shows of another process's windows, where the window
// system will not tell: which standard icon a message box shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "target.hpp"

namespace e2e {

// The box's icon handle belongs to that process (Wine hands every process its
// own copy of the system icons), so handles cannot be compared; instead the
// icon control's pixels are read from the screen and compared with the
// system icons drawn here. kUnknown when the pixels match no standard icon
// clearly (the box covered, say); kNone when the box has no visible icon.
BoxIcon IdentifyBoxIcon(HWND box);

// The screen's pixels in a rectangle (0x00RRGGBB, top row first); false
// when the screen cannot be read.
bool CaptureScreen(const RECT& r, std::vector<std::uint32_t>& rgb);

}  // namespace e2e
