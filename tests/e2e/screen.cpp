#include "screen.hpp"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "e2e.hpp"

namespace e2e {
namespace {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, top row first
};

// A top-down 32-bit bitmap to draw into or copy to.
class Canvas {
 public:
  Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    pixels_.width = width;
    pixels_.height = height;
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  const Pixels& Read() {
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits_);
    pixels_.rgb.assign(p, p + pixels_.width * pixels_.height);
    for (auto& v : pixels_.rgb) v &= 0xFFFFFF;
    return pixels_;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
  Pixels pixels_;
};

Pixels DrawIconOn(HICON icon, int width, int height, COLORREF background) {
  Canvas canvas(width, height);
  HBRUSH brush = CreateSolidBrush(background);
  const RECT all{0, 0, width, height};
  FillRect(canvas.dc(), &all, brush);
  DeleteObject(brush);
  DrawIconEx(canvas.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  return canvas.Read();
}

bool Capture(const RECT& r, Pixels& out) {
  Canvas canvas(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  const BOOL ok =
      BitBlt(canvas.dc(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!ok) return false;
  out = canvas.Read();
  return true;
}

int Channel(std::uint32_t v, int shift) { return static_cast<int>((v >> shift) & 0xFF); }

// Mean difference per channel over the icon's opaque pixels (those that
// come out the same on black and on white); -1 when the icon has none.
double Distance(const Pixels& screen, HICON icon) {
  const Pixels on_black = DrawIconOn(icon, screen.width, screen.height, RGB(0, 0, 0));
  const Pixels on_white = DrawIconOn(icon, screen.width, screen.height, RGB(255, 255, 255));
  long long sum = 0;
  long long count = 0;
  for (std::size_t i = 0; i < screen.rgb.size(); ++i) {
    if (on_black.rgb[i] != on_white.rgb[i]) continue;
    for (int shift : {0, 8, 16}) {
      sum += std::abs(Channel(on_black.rgb[i], shift) - Channel(screen.rgb[i], shift));
    }
    ++count;
  }
  return count == 0 ? -1.0 : static_cast<double>(sum) / static_cast<double>(count * 3);
}

HWND IconControl(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(child)) {
      return child;
    }
  }
  return nullptr;
}

// Whether every corner and the centre of the rectangle show the control
// itself: tests run side by side on one desktop, and another program's box
// may cover this one.
bool Uncovered(HWND control, const RECT& r) {
  const POINT points[] = {{r.left, r.top},
                          {r.right - 1, r.top},
                          {r.left, r.bottom - 1},
                          {r.right - 1, r.bottom - 1},
                          {(r.left + r.right) / 2, (r.top + r.bottom) / 2}};
  for (const POINT& p : points) {
    if (WindowFromPoint(p) != control) return false;
  }
  return true;
}

BoxIcon Classify(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  if (r.right <= r.left || r.bottom <= r.top || !Uncovered(control, r)) return BoxIcon::kUnknown;
  Pixels screen;
  if (!Capture(r, screen) || !Uncovered(control, r)) return BoxIcon::kUnknown;

  struct Candidate {
    BoxIcon icon;
    const wchar_t* id;
  };
  const Candidate candidates[] = {{BoxIcon::kInformation, IDI_INFORMATION},
                                  {BoxIcon::kExclamation, IDI_WARNING},
                                  {BoxIcon::kError, IDI_ERROR},
                                  {BoxIcon::kUnknown, IDI_QUESTION}};
  BoxIcon best = BoxIcon::kUnknown;
  double best_distance = 1e9;
  double second = 1e9;
  for (const Candidate& c : candidates) {
    const double d = Distance(screen, LoadIconW(nullptr, c.id));
    if (d < 0) continue;
    if (d < best_distance) {
      second = best_distance;
      best_distance = d;
      best = c.icon;
    } else if (d < second) {
      second = d;
    }
  }
  // A clear match: nearly the same pixels, and clearly farther from every
  // other icon (Wine's question mark and information icons share their
  // round blue body: about 9 apart).
  if (best_distance <= 2.0 && second >= best_distance + 4.0) return best;
  return BoxIcon::kUnknown;
}

}  // namespace

bool CaptureScreen(const RECT& r, std::vector<std::uint32_t>& rgb) {
  if (r.right <= r.left || r.bottom <= r.top) return false;
  Pixels pixels;
  if (!Capture(r, pixels)) return false;
  rgb = std::move(pixels.rgb);
  return true;
}

BoxIcon IdentifyBoxIcon(HWND box) {
  BoxIcon icon = BoxIcon::kUnknown;
  int tries = 0;
  // The box may not have painted its icon yet, or another program's window
  // may cover it (tests run side by side on one desktop): then the box is
  // brought to the front now and then, without activating it.
  PollUntil(
      [&] {
        HWND control = IconControl(box);
        if (control == nullptr) {
          icon = BoxIcon::kNone;
          return true;
        }
        icon = Classify(control);
        if (icon == BoxIcon::kUnknown && ++tries % 40 == 0) {
          SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return icon != BoxIcon::kUnknown;
      },
      10000);
  return icon;
}

}  // namespace e2e

namespace e2e {

bool HighlightedRows(HWND popup, int& top, int& bottom) {
  RECT r{};
  GetClientRect(popup, &r);
  MapWindowPoints(popup, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  std::vector<std::uint32_t> rgb;
  if (!CaptureScreen(r, rgb)) return false;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
  const std::uint32_t highlight = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  top = -1;
  bottom = -1;
  for (int y = 0; y < height; ++y) {
    int count = 0;
    for (int x = 0; x < width; ++x) count += rgb[y * width + x] == highlight ? 1 : 0;
    if (2 * count < width) continue;
    if (top < 0) top = y;
    // One band only: rows after a gap belong to something else.
    if (bottom >= 0 && bottom != y - 1) return false;
    bottom = y;
  }
  return top >= 0;
}

}  // namespace e2e

namespace e2e {

void WaitUntilDrawn(HWND hwnd) {
  std::vector<std::uint32_t> last;
  int steady = 0;
  PollUntil(
      [&] {
        RECT r{};
        GetWindowRect(hwnd, &r);
        std::vector<std::uint32_t> now;
        if (!CaptureScreen(r, now)) return false;
        steady = (!now.empty() && now == last) ? steady + 1 : 0;
        last = std::move(now);
        Sleep(50);
        return steady >= 6;
      },
      5000);
}

}  // namespace e2e
