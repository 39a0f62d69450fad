// The window system's side of Fmain's controls: combo boxes, a month
// calendar and static labels, each behind the small interface Fmain's
// handlers use.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/Fmain.hpp"

namespace velmora {

class Win32DropDownList final : public DropDownList {
 public:
  // `on_click` runs the list's click handler.
  Win32DropDownList(HWND combo, std::function<void()> on_click);

  void AddItem(const std::wstring& text) override;
  Int16 ListCount() const override;
  Int16 ListIndex() const override;
  // CB_SETCURSEL sends no notification; the click handler runs from here.
  void SetListIndex(Int16 index) override;
  std::wstring List(Int16 index) const override;

 private:
  HWND combo_;
  std::function<void()> on_click_;
};

// A common-controls month calendar driven by year, month and day puts. The
// requested date is kept whole, so that a put passing through a day the
// month lacks (31 March, then month 4) shows the month's last day for the
// moment and still ends on the date the three puts give. Every put leaves
// the calendar showing the put date's month.
class Win32Calendar final : public Calendar {
 public:
  Win32Calendar(HWND calendar, Int16 year, Int16 month, Int16 day);

  void PutYear(Int16 year) override;
  void PutMonth(Int16 month) override;
  void PutDay(Int16 day) override;
  void Refresh() override;

 private:
  void Apply(Int16 year, Int16 month, Int16 day);
  // Back to the month view, whatever view the user zoomed out to.
  void ShowMonths();
  void AdoptUsersChoice();

  HWND calendar_;
  Int16 year_ = 0, month_ = 0, day_ = 0;  // as requested
  SYSTEMTIME shown_{};                    // as last put on the control
};

// A static label whose changes a screen reader reads out: each change of
// its text raises a name change and a live-region change.
class Win32Label final : public Label {
 public:
  explicit Win32Label(HWND label) : label_(label) {}
  void SetCaption(const std::wstring& text) override;

 private:
  HWND label_;
};

}  // namespace velmora
