// Fmain as a real window: a top-level window with a static label, a
// common-controls month calendar and a drop-down list of years in front of
// the calendar's top right corner, and left of it on its row the list of
// Easters with its label. Positions are given in twips (1/1440 inch) and
// scaled for the window's DPI; the window follows DPI changes. Like a
// dialog, it gives the focus back to the control that had it when the
// window is activated again. The lists are named for screen readers ("Year";
// the list of Easters by its label), and the label's changes are read out.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Fmain.hpp"
#include "ui/win32/controls.hpp"

namespace velmora {

class FmainWindow final : public Fmain {
 public:
  // Creates the window hidden with its controls and runs Form_Load. With
  // `quit_on_destroy` the thread's message loop ends when the window goes.
  // A window or control that cannot be created raises error 429, whose
  // description names it.
  static std::unique_ptr<FmainWindow> Load(bool quit_on_destroy);
  ~FmainWindow() override;
  FmainWindow(const FmainWindow&) = delete;
  FmainWindow& operator=(const FmainWindow&) = delete;

  DropDownList& cboYear() override { return *year_list_; }
  DropDownList& cboEaster() override { return *easter_list_; }
  Label& lblEaster() override { return *easter_label_; }
  Calendar& Cal() override { return *calendar_; }
  Label& lbl() override { return *label_; }
  void SetCaption(const std::wstring& text) override;
  void Show() override;
  std::uintptr_t hWnd() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }

  HWND window() const { return hwnd_; }
  HWND combo() const { return combo_; }
  HWND calendar() const { return calendar_hwnd_; }
  HWND label() const { return label_hwnd_; }
  HWND easter_combo() const { return easter_combo_; }
  HWND easter_label() const { return easter_label_hwnd_; }
  UINT dpi() const { return dpi_; }

  static constexpr const wchar_t* kClassName = L"VelmoraFmain";
  // The stored layout, in twips.
  struct TwipsRect {
    int left, top, width, height;
  };
  static constexpr int kClientWidth = 4650;
  static constexpr int kClientHeight = 3630;
  static constexpr TwipsRect kCboYear{3180, 870, 1155, 360};
  static constexpr TwipsRect kCal{210, 870, 4215, 2565};
  static constexpr TwipsRect kLbl{150, 120, 4335, 645};
  // The list of Easters and its label stand on the year list's row, left of
  // it (PlaceEasterRow), this far apart; they must not reach past the
  // calendar's left edge.
  static constexpr int kEasterRowGap = 60;
  // The height of a list entry when the list cannot tell it yet, in twips.
  static constexpr int kFallbackItemHeight = 240;
  // Twips to pixels at a DPI (15 twips a pixel at 96 DPI).
  static int Px(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

 private:
  explicit FmainWindow(bool quit_on_destroy) : quit_on_destroy_(quit_on_destroy) {}
  struct Subclassed {
    HWND hwnd = nullptr;
    WNDPROC own = nullptr;  // the control's own window procedure
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // The controls' window procedure in front of their own.
  static LRESULT CALLBACK ControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  // The focus to the control that had it last (the list at first).
  void RestoreFocus();
  // What accessibility clients need beyond the standard controls, set up
  // once one shows itself: a screen reader running at start-up, or the
  // first WM_GETOBJECT to the window or a control.
  void ServeAccessibility();
  void CreateControls();
  // Fonts and positions for the DPI; `suggested` is the window rectangle
  // Windows proposes on a DPI change.
  void ApplyDpi(UINT dpi, const RECT* suggested);
  // The list of Easters and its label, sized for their texts at the DPI.
  void PlaceEasterRow();
  // A pick by the user, from the message loop.
  void RunClickHandler(void (Fmain::*handler)());

  bool quit_on_destroy_;
  HWND hwnd_ = nullptr;
  HWND combo_ = nullptr;
  HWND calendar_hwnd_ = nullptr;
  HWND label_hwnd_ = nullptr;
  HWND easter_combo_ = nullptr;
  HWND easter_label_hwnd_ = nullptr;
  HWND focus_ = nullptr;           // the control that had the focus last
  bool live_region_ = false;       // the label is marked a live region
  Subclassed controls_[4];         // the lists, the calendar, the label
  HFONT font_ = nullptr;           // Arial 9.75 pt bold: window, list, label
  HFONT calendar_font_ = nullptr;  // Arial 9 pt: the calendar
  UINT dpi_ = 96;
  std::wstring year_list_name_;    // its accessible name, for the window's life
  std::wstring easter_list_name_;  // the same: its label's text, without the & and colon
  std::unique_ptr<Win32DropDownList> year_list_;
  std::unique_ptr<Win32DropDownList> easter_list_;
  std::unique_ptr<Win32Label> easter_label_;
  std::unique_ptr<Win32Calendar> calendar_;
  std::unique_ptr<Win32Label> label_;
};

// The DPI a window is shown at (the system's where per-window DPI is unknown).
UINT WindowDpi(HWND hwnd);

// The controls of the row of the list of Easters, and what it is placed by.
struct EasterRow {
  HWND sentence, calendar, year_list;  // in place already
  HWND label, list;                    // their texts set
  HFONT font;                          // the label's and the list's
};
// Places the label and the list on the year list's row, left of it (a
// little higher where the year list's top would cover the calendar's month
// title), each as wide as its texts need at the DPI: the window's layout,
// which the start-up benchmark's floor uses too.
void PlaceEasterRow(const EasterRow& row, UINT dpi);

}  // namespace velmora
