// Start-up time of velmora.exe against its floor, the least program that
// makes the same window, and against a bare window (see
// reference_window.cpp): from just before CreateProcess until the program
// has a visible top-level window, each program started the same number of
// times, interleaved. Prints the medians in milliseconds and their ratios,
// and the median of velmora.exe's ratio to the floor round by round.
//   startup_bench VELMORA_EXE FLOOR_EXE BARE_EXE [--runs N] [--breakdown]
// With --breakdown the floor is also timed stopping after each of its steps,
// to tell where the time between the bare window and the floor goes.
// Before timing, the windows of velmora.exe and the floor are compared
// (classes, styles, sizes, children, texts, list state, pixels); a difference is
// printed, since the ratio then measures two different windows.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
  std::string label;
  std::wstring exe;
  std::wstring args;
  std::vector<double> ms;
};

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring result = L"Z:" + path;  // Wine maps the Unix root to Z:
  std::replace(result.begin(), result.end(), L'/', L'\\');
  return result;
}

struct Search {
  DWORD pid;
  bool found;
  HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && IsWindowVisible(hwnd)) {
    s->found = true;
    s->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// ---- What a window looks like, as another process can read it -------------

std::wstring Format(const wchar_t* format, ...) {
  wchar_t buffer[512];
  va_list args;
  va_start(args, format);
  std::vswprintf(buffer, sizeof buffer / sizeof buffer[0], format, args);
  va_end(args);
  return buffer;
}

std::wstring Text(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// The window's pixels, frame and caption with its icon included, as a
// checksum: the fonts, the texts, the list's selection and the calendar's
// month and day show in them.
unsigned PixelSum(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  const HDC dc = GetWindowDC(hwnd);
  const HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  unsigned sum = 2166136261u;  // FNV-1a
  const auto* p = static_cast<const unsigned char*>(bits);
  for (long i = 0; bits != nullptr && i < 4L * r.right * r.bottom; ++i)
    sum = (sum ^ p[i]) * 16777619u;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, dc);
  return sum;
}

// One line for the window and one for each child, front to back.
std::vector<std::wstring> Describe(HWND hwnd) {
  RECT window;
  RECT client;
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  std::vector<std::wstring> lines = {Format(
      L"window %ls: class style %#lx, style %#lx, ex-style %#lx, %ldx%ld (client %ldx%ld), "
      L"pixels %08x, \"%ls\"",
      ClassOf(hwnd).c_str(), GetClassLongW(hwnd, GCL_STYLE), GetWindowLongW(hwnd, GWL_STYLE),
      GetWindowLongW(hwnd, GWL_EXSTYLE), window.right - window.left, window.bottom - window.top,
      client.right, client.bottom, PixelSum(hwnd), Text(hwnd).c_str())};
  for (HWND c = GetWindow(hwnd, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    std::wstring line =
        Format(L"  %ls: style %#lx, ex-style %#lx, at %ld,%ld %ldx%ld, \"%ls\"", ClassOf(c).c_str(),
               GetWindowLongW(c, GWL_STYLE), GetWindowLongW(c, GWL_EXSTYLE), r.left, r.top,
               r.right - r.left, r.bottom - r.top, Text(c).c_str());
    if (ClassOf(c) == L"ComboBox") {
      RECT dropped{};
      SendMessageW(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      line += Format(L", %d entries, entry %d selected, entries %d high, dropped %ld high",
                     static_cast<int>(SendMessageW(c, CB_GETCOUNT, 0, 0)),
                     static_cast<int>(SendMessageW(c, CB_GETCURSEL, 0, 0)),
                     static_cast<int>(SendMessageW(c, CB_GETITEMHEIGHT, 0, 0)),
                     dropped.bottom - dropped.top);
    }
    lines.push_back(line);
  }
  return lines;
}

// ---- Timing -----------------------------------------------------------------

// One start: milliseconds until the window is visible, or a negative value
// when the program fails (it is ended then). With `shape`, the window is
// described once the program waits for input.
double TimeOneStart(const Program& p, std::vector<std::wstring>* shape = nullptr) {
  std::wstring line = L"\"" + p.exe + L"\"";
  if (!p.args.empty()) line += L" " + p.args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};

  const double start = Now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::fprintf(stderr, "cannot start %ls (error %lu)\n", p.exe.c_str(), GetLastError());
    return -1;
  }
  Search s{pi.dwProcessId, false, nullptr};
  double elapsed = -1;
  for (;;) {
    EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&s));
    if (s.found) {
      elapsed = Now() - start;
      break;
    }
    if (Now() - start > 20000 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }

  bool ok = elapsed >= 0;
  if (ok) {
    if (shape != nullptr) {
      // Under Wine the first paint reaches the screen a while after the
      // program first waits for input.
      WaitForInputIdle(pi.hProcess, 20000);
      Sleep(1000);
      *shape = Describe(s.hwnd);
    }
    PostMessageW(s.hwnd, WM_CLOSE, 0, 0);
    ok = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
  }
  DWORD code = 0;
  if (ok && GetExitCodeProcess(pi.hProcess, &code) && code != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "%s: no window, no clean exit (exit code %lu)\n", p.label.c_str(), code);
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 20000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ok ? elapsed : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int Usage() {
  std::fprintf(stderr,
               "usage: startup_bench VELMORA_EXE FLOOR_EXE BARE_EXE [--runs N] [--breakdown]\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return Usage();
  int runs = 40;
  bool breakdown = false;
  for (int i = 4; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--runs" && i + 1 < argc) {
      runs = std::max(1, _wtoi(argv[++i]));
    } else if (a == L"--breakdown") {
      breakdown = true;
    } else {
      return Usage();
    }
  }
  const std::wstring floor = WindowsPath(argv[2]);

  // Easter 1990 has passed: velmora.exe shows its window without a box, and
  // the floor shows what velmora.exe shows for 1990.
  std::vector<Program> programs = {{"velmora.exe 1990", WindowsPath(argv[1]), L"1990", {}},
                                   {"floor (velmora.exe's window)", floor, L"", {}},
                                   {"bare window", WindowsPath(argv[3]), L"", {}}};
  if (breakdown) {
    programs.push_back({"  + Common Controls 6", floor, L"--upto window", {}});
    programs.push_back({"  + class icons", floor, L"--upto icon", {}});
    programs.push_back({"  + month calendar", floor, L"--upto calendar", {}});
    programs.push_back({"  + list of 201 years", floor, L"--upto list", {}});
    programs.push_back({"  + two fonts", floor, L"--upto fonts", {}});
  }

  // One start of each first, untimed: files into the cache, DLLs mapped;
  // velmora.exe's window and the floor's are compared meanwhile.
  std::vector<std::wstring> velmora_shape;
  std::vector<std::wstring> floor_shape;
  for (std::size_t k = 0; k < programs.size(); ++k) {
    std::vector<std::wstring>* shape = k == 0 ? &velmora_shape : k == 1 ? &floor_shape : nullptr;
    if (TimeOneStart(programs[k], shape) < 0) return 1;
  }
  const bool same = velmora_shape == floor_shape;
  if (!same) {
    std::printf("the floor's window is not velmora.exe's:\n");
    for (const auto* shape : {&velmora_shape, &floor_shape}) {
      std::printf("%s\n", shape == &velmora_shape ? "velmora.exe:" : "floor:");
      for (const std::wstring& l : *shape) std::printf("%ls\n", l.c_str());
    }
  }

  for (int round = 0; round < runs; ++round) {
    // Interleaved, and each round in the other order, so that drift over
    // the run falls on all programs alike.
    for (std::size_t k = 0; k < programs.size(); ++k) {
      Program& p = programs[round % 2 == 0 ? k : programs.size() - 1 - k];
      const double ms = TimeOneStart(p);
      if (ms < 0) return 1;
      p.ms.push_back(ms);
    }
  }

  std::printf("start-up to a visible window, %d runs each, interleaved (ms):\n", runs);
  std::printf("  %-36s %8s %8s %8s\n", "", "median", "min", "max");
  for (std::size_t k = 0; k < programs.size(); ++k) {
    const Program& p = programs[k];
    if (k == 3) std::printf("  the floor step by step from the bare window, up to:\n");
    std::printf("  %-36s %8.1f %8.1f %8.1f\n", p.label.c_str(), Median(p.ms),
                *std::min_element(p.ms.begin(), p.ms.end()),
                *std::max_element(p.ms.begin(), p.ms.end()));
  }
  const double velmora = Median(programs[0].ms);
  // velmora.exe and the floor start one right after the other in every
  // round: the median of the rounds' own ratios moves less with load that
  // comes and goes during the run.
  std::vector<double> rounds;
  for (int i = 0; i < runs; ++i) rounds.push_back(programs[0].ms[i] / programs[1].ms[i]);
  std::printf("velmora/floor: %.3f (target: at most 1.05); round by round: %.3f%s\n",
              velmora / Median(programs[1].ms), Median(rounds),
              same ? "" : " -- NOT the same window, see above");
  std::printf("velmora/bare: %.3f\n", velmora / Median(programs[2].ms));
  std::fflush(stdout);
  return 0;
}
