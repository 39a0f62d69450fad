// Steps the cases share: what a box, the window and the program's end must
// look like.
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "cases.hpp"
#include "e2e.hpp"
#include "easter.hpp"
#include "win32/test_util.hpp"

namespace e2e {

void ExpectBox(const Box& box, const std::wstring& title, const std::wstring& text, BoxIcon icon) {
  E2E_EQ(box.title, title, "box title");
  E2E_EQ(box.text, text, "box text");
  E2E_EQ(box.buttons.size(), std::size_t{1}, "number of buttons in the box");
  // The one button is the box's OK button, named in the system's language.
  wchar_t ok[64] = {};
  GetWindowTextW(GetDlgItem(box.hwnd, IDOK), ok, 64);
  E2E_EQ(box.buttons[0], std::wstring(ok), "the box's button (OK)");
  E2E_EQ(std::string(IconName(box.icon)), std::string(IconName(icon)), "box icon");
}

void ExpectNoBox(const Target& target, const char* when) {
  const HWND box = target.Find(Target::kBoxClass, false);
  if (box == nullptr) return;
  // Reads what the box says without asking it: it may be on its way out.
  wchar_t title[256] = {};
  wchar_t text[1024] = {};
  GetWindowTextW(box, title, 256);
  GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 1024);
  Fail(__FILE__, __LINE__,
       std::string("a message box ") + when + ": " + Quoted(title) + ", " + Quoted(text));
}

void Pick(HWND combo, WPARAM key, int index) {
  PostKey(combo, key);
  // Sent messages overtake posted ones, so a reply to WM_NULL would not mean
  // that the key has been handled; the selection itself is what counts. The
  // click handler runs inside the key's handling, before the next read.
  const Deadline deadline;
  for (;;) {
    const int now = ComboSelection(combo);
    if (now == index) return;
    E2E_CHECK(!deadline.Passed(),
              "the list shows entry " + std::to_string(now) + ", not " + std::to_string(index));
    Sleep(0);
  }
}

void CloseAndExpectExit0(Target& target, HWND main_window) {
  PostMessageW(main_window, WM_CLOSE, 0, 0);
  E2E_EQ(target.WaitExit(), DWORD{0}, "exit code after closing the window");
}

void ExpectExit1WithoutWindow(Target& target) {
  PollUntil([&] {
    E2E_CHECK(target.Find(Target::kMainClass, true) == nullptr,
              "the main window shows after an error box");
    return !target.Running();
  });
  E2E_EQ(target.WaitExit(), DWORD{1}, "exit code after the error box");
}

void ExpectErrorReportThenExit1(Target& target, const std::wstring& description,
                                WindowAtReport window) {
  const Box box = target.WaitForBox();
  ExpectBox(box, L"Velmora", description, BoxIcon::kError);
  if (window == WindowAtReport::kNone) {
    E2E_CHECK(target.Find(Target::kMainClass, false) == nullptr,
              "a main window exists before the error is reported");
  } else {
    E2E_CHECK(target.Find(Target::kMainClass, true) == nullptr,
              "the window shows with the error box");
  }
  target.PressOk(box);
  ExpectExit1WithoutWindow(target);
}

HWND WaitForWindowWithoutBox(Target& target) {
  HWND box = nullptr;
  HWND main_window = nullptr;
  target.WaitForBoxOrWindow(box, main_window);
  E2E_CHECK(box == nullptr, "a box at start-up: " + Quoted(target.ReadBox(box).text));
  return main_window;
}

void ExpectYearShown(Target& target, HWND main_window, int year, bool read_calendar) {
  const MainView view = ViewOf(target, main_window, read_calendar);
  const std::wstring entry = std::to_wstring(year);
  E2E_EQ(view.caption, std::wstring(L"Velmora"), "window caption");
  E2E_EQ(view.selection, year - kFirstListedYear, "selected list entry");
  E2E_EQ(view.combo_text, entry, "year shown in the list");
  E2E_EQ(ComboEntry(ControlsOf(main_window).combo, view.selection), entry, "the selected entry");
  E2E_EQ(view.label, Sentence(year), "label");
  if (read_calendar) {
    E2E_EQ(view.calendar, GregorianEaster(year).Packed(), "date selected on the calendar");
  }
}

void ExpectFocusOn(HWND control, const char* when) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(control, nullptr);
  PollUntil([&] { return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control; });
  E2E_CHECK(info.hwndFocus == control,
            std::string(when) + ", the focus is on " +
                (info.hwndFocus != nullptr ? Utf8(ClassOf(info.hwndFocus)) : "nothing") +
                ", not the " + Utf8(ClassOf(control)));
}

namespace {

// The name, role and value of an accessible object itself.
std::wstring Described(IAccessible* object) {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  BSTR value = nullptr;
  VARIANT role{};
  object->get_accName(self, &name);
  object->get_accValue(self, &value);
  object->get_accRole(self, &role);
  const std::wstring out = std::wstring(name != nullptr ? name : L"") + L"|" +
                           std::to_wstring(role.vt == VT_I4 ? role.lVal : -1) + L"|" +
                           (value != nullptr ? value : L"");
  SysFreeString(name);
  SysFreeString(value);
  return out;
}

constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
HWND g_heard_window = nullptr;
std::vector<DWORD> g_heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (hwnd == g_heard_window && object == OBJID_CLIENT && child == CHILDID_SELF) {
    g_heard.push_back(event);
  }
}

}  // namespace

void ExpectListNamed(HWND list, const std::wstring& name) {
  IAccessible* objects[2] = {};  // the program's answer, the standard object
  E2E_CHECK(SUCCEEDED(AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT),
                                                 __uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&objects[0]))) &&
                SUCCEEDED(CreateStdAccessibleObject(list, OBJID_CLIENT, __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&objects[1]))),
            "no accessible object for the list");
  const std::wstring got = Described(objects[0]);
  const std::wstring standard = Described(objects[1]);
  for (IAccessible* object : objects) object->Release();
  E2E_EQ(got, name + standard.substr(standard.find(L'|')), "the list's accessible name|role|value");
}

void PickAndHearTheLabel(const Target& target, HWND list, HWND label, int index, WPARAM key) {
  g_heard_window = label;
  g_heard.clear();
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, kLiveRegionChanged, nullptr,
                                             &Hear, target.pid(), 0, WINEVENT_OUTOFCONTEXT);
  Pick(list, key, index);
  auto heard = [](DWORD event) {
    return std::find(g_heard.begin(), g_heard.end(), event) != g_heard.end();
  };
  PollUntil([&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return heard(EVENT_OBJECT_NAMECHANGE) && heard(kLiveRegionChanged);
  });
  UnhookWinEvent(hook);
  E2E_CHECK(heard(EVENT_OBJECT_NAMECHANGE), "the label raises no name change");
  E2E_CHECK(heard(kLiveRegionChanged), "the label raises no live-region change");
}

void ExpectRangeMessageThenEmptyWindow(Target& target) {
  const Box box = target.WaitForBox();
  ExpectBox(box, L"Velmora", kRangeMessage, BoxIcon::kExclamation);
  E2E_CHECK(target.Find(Target::kMainClass, true) == nullptr,
            "the window shows before the range message is dismissed");
  target.PressOk(box);

  const HWND main_window = target.WaitForMainWindow();
  const MainView view = ViewOf(target, main_window);
  E2E_EQ(view.caption, std::wstring(L"Velmora"), "window caption");
  E2E_EQ(view.selection, -1, "selected list entry");
  E2E_EQ(view.combo_text, std::wstring(), "text of the list");
  E2E_EQ(view.label, std::wstring(), "label");
  E2E_EQ(view.calendar, velmora::test::kStoredCalendarDate, "the calendar's stored date");
  ExpectNoBox(target, "after the range message");
  CloseAndExpectExit0(target, main_window);
}

void ExpectPresentYear(Target& target) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const int year = now.wYear;
  const Date easter = GregorianEaster(year);
  const bool ahead =
      now.wMonth < easter.month || (now.wMonth == easter.month && now.wDay < easter.day);
  Note("present year " + std::to_string(year) + (ahead ? ": Easter ahead" : ": Easter past"));

  HWND box = nullptr;
  HWND main_window = nullptr;
  target.WaitForBoxOrWindow(box, main_window);
  if (ahead) {
    E2E_CHECK(box != nullptr, "no box tells the coming Easter");
    const Box read = target.ReadBox(box);
    ExpectBox(read, L"Velmora", Sentence(year), BoxIcon::kInformation);
    target.PressOk(read);
    main_window = target.WaitForMainWindow();
  } else {
    E2E_CHECK(box == nullptr, "a box at start-up: " + Quoted(target.ReadBox(box).text));
  }
  ExpectYearShown(target, main_window, year);
  ExpectNoBox(target, "with the window shown");
  CloseAndExpectExit0(target, main_window);
}

}  // namespace e2e
