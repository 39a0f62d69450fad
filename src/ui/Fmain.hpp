// The main window Fmain: its two event handlers, written against the few
// members of the window and its controls that they use. The window system's
// side (src/ui/win32) provides the members; nothing here includes a Windows
// header.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/checked.hpp"

namespace velmora {

// cboYear: a drop-down list of texts.
class YearList {
 public:
  virtual ~YearList() = default;
  // Appends an entry at the end.
  virtual void AddItem(const std::wstring& text) = 0;
  virtual Int16 ListCount() const = 0;
  // The selected entry's index, -1 when none is selected.
  virtual Int16 ListIndex() const = 0;
  // Selects the entry and runs the list's click handler at once, before it
  // returns. An index outside the list raises error 380 and changes nothing.
  virtual void SetListIndex(Int16 index) = 0;
  // The entry's text; an index outside the list raises error 380.
  virtual std::wstring List(Int16 index) const = 0;
};

// Cal: a month calendar showing and selecting one date. After the three puts
// it shows the given date's month with the day selected, even when the date
// passes through a day the intermediate month lacks (31 March, then month 4).
// A value the calendar cannot show raises error 380.
class Calendar {
 public:
  virtual ~Calendar() = default;
  virtual void PutYear(Int16 year) = 0;
  virtual void PutMonth(Int16 month) = 0;
  virtual void PutDay(Int16 day) = 0;
  // Repaints the calendar at once.
  virtual void Refresh() = 0;
};

// lbl: a label.
class Label {
 public:
  virtual ~Label() = default;
  virtual void SetCaption(const std::wstring& text) = 0;
};

class Fmain {
 public:
  virtual ~Fmain() = default;

  // Load handler: the caption and the year list's 201 entries, none selected.
  void Form_Load();
  // Click handler of the year list: computes Easter Sunday for the chosen
  // year and shows it on the calendar and in the label. Shows no box.
  void cboYear_Click();

  virtual YearList& cboYear() = 0;
  virtual Calendar& Cal() = 0;
  virtual Label& lbl() = 0;
  virtual void SetCaption(const std::wstring& text) = 0;
  // Shows the window, modeless.
  virtual void Show() = 0;
  virtual std::uintptr_t hWnd() const = 0;

  static constexpr Int16 kFirstYear = 1900;
  static constexpr Int16 kLastYear = 2100;

  // The date the calendar is stored with, shown until a date is put on it.
  struct Date {
    Int16 year, month, day;
  };
  static constexpr Date kCalInitialDate{2014, 4, 20};
};

}  // namespace velmora
