// The main window Fmain: its two event handlers, written against the few
// members of the window and its controls that they use. The window system's
// side (src/ui/win32) provides the members; nothing here includes a Windows
// header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "computus/bas_Computus.hpp"
#include "runtime/checked.hpp"

namespace velmora {

// cboYear and cboEaster: a drop-down list of texts.
class DropDownList {
 public:
  virtual ~DropDownList() = default;
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

  // Load handler: the caption, the year list's 201 entries, none selected,
  // and the list of Easters with its label, the remembered or the
  // language's Easter selected.
  void Form_Load();
  // Click handler of the year list: computes Easter Sunday for the chosen
  // year by the chosen reckoning and shows it on the calendar and in the
  // label. Shows no box.
  void cboYear_Click();
  // Click handler of the list of Easters: a choice other than the one shown
  // is remembered for the user and the selected year shown again by it.
  void cboEaster_Click();

  // The reckoning of the Easter the window shows: Western Easter, the
  // Gregorian reckoning (method 3), or Orthodox Easter, the Julian
  // reckoning in Gregorian dates (method 2). Until the user chooses, the
  // one remembered for the user, else the one the readers of the window's
  // language keep.
  Int16 EasterMethod() const { return method_; }

  // The reckoning of the Easter the readers of a language keep, by the
  // language's name as gettext has it ("el", "pt_BR", "sr@latin"; empty
  // for English): Orthodox Easter for the languages of the Orthodox
  // churches, Western Easter for every other.
  static Int16 TraditionalEasterMethod(std::string_view language);

  virtual DropDownList& cboYear() = 0;
  // The list of Easters, Western then Orthodox, and the label in front of
  // it that names it and carries its access key.
  virtual DropDownList& cboEaster() = 0;
  virtual Label& lblEaster() = 0;
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

  // The user's setting that remembers the choice, and its two values (the
  // names velmora-cli's --method takes).
  static constexpr const wchar_t* kEasterSetting = L"Easter";
  static constexpr const wchar_t* kWesternValue = L"western";
  static constexpr const wchar_t* kOrthodoxValue = L"orthodox";

 private:
  Int16 method_ = bas_Computus::kMethodGregorian;
};

}  // namespace velmora
