// What the screen shows of another process's windows, where the window
// system will not tell: which standard icon a message box shows, which rows
// of an open menu are highlighted.
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

// The first and last row (client coordinates) of the one band of the highlight
// colour across an open menu: the selected entry. False when there is no
// such band, or more than one.
bool HighlightedRows(HWND popup, int& top, int& bottom);

// Waits (up to 5 s) until the window's pixels on the screen have stayed the
// same for 300 ms: it has been painted and has settled, as a user would see
// it before pressing keys.
void WaitUntilDrawn(HWND hwnd);

}  // namespace e2e
