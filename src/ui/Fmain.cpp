#include "ui/Fmain.hpp"

#include "computus/bas_Computus.hpp"
#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"

namespace velmora {
namespace {

using bas_Computus::kMethodGregorian;
using bas_Computus::kMethodJulianInGregorian;

// The entries of cboEaster.
constexpr Int16 kWesternEntry = 0;
constexpr Int16 kOrthodoxEntry = 1;

// The choice remembered for the user, else the language's.
Int16 RememberedMethod() {
  if (const auto stored = Rt().GetSetting(Fmain::kEasterSetting)) {
    if (*stored == Fmain::kWesternValue) return kMethodGregorian;
    if (*stored == Fmain::kOrthodoxValue) return kMethodJulianInGregorian;
  }
  return Fmain::TraditionalEasterMethod(TextLanguage());
}

}  // namespace

Int16 Fmain::TraditionalEasterMethod(std::string_view language) {
  // Greek, Russian, Ukrainian, Bulgarian, Romanian, Serbian, Macedonian,
  // Belarusian and Georgian.
  constexpr std::string_view kOrthodox[] = {"el", "ru", "uk", "bg", "ro", "sr", "mk", "be", "ka"};
  const std::string_view code = language.substr(0, language.find_first_of("_@.-"));
  for (const std::string_view orthodox : kOrthodox) {
    if (code == orthodox) return kMethodJulianInGregorian;
  }
  return kMethodGregorian;
}

void Fmain::Form_Load() {
  SetCaption(Rt().AppTitle());
  for (Int16 year = kFirstYear; year <= kLastYear; year = Add16(year, 1)) {
    cboYear().AddItem(DecimalText(year));
  }
  // TRANSLATORS: the label in front of the list that chooses which Easter
  // the window shows. & marks its access key (Alt and that letter go to the
  // list); the window has no other. The label and the longer of the two
  // entries below share the room left of the year list: about 160 pixels
  // of the window's bold font (20 Latin letters or so) between them.
  lblEaster().SetCaption(Tr(L"&Easter:"));
  // TRANSLATORS: the list's two entries, after the label above: Easter by
  // the Gregorian reckoning (of the Catholic and Protestant churches) and
  // by the Julian reckoning (of the Orthodox churches). Agree with your
  // word for Easter in the label.
  cboEaster().AddItem(Tr(L"Western"));
  cboEaster().AddItem(Tr(L"Orthodox"));
  // Selecting the remembered choice runs the list's click handler, which
  // finds nothing changed: nothing is stored and no year is shown yet.
  method_ = RememberedMethod();
  cboEaster().SetListIndex(method_ == kMethodJulianInGregorian ? kOrthodoxEntry : kWesternEntry);
}

void Fmain::cboYear_Click() {
  const Int16 index = cboYear().ListIndex();
  const Int16 year = Val16(cboYear().List(index));
  Int16 day = 0;
  Int16 month = 0;
  if (!bas_Computus::GetEasterDay(day, month, year, method_)) return;
  Cal().PutYear(year);
  Cal().PutMonth(month);
  Cal().PutDay(day);
  Cal().Refresh();
  lbl().SetCaption(ResultSentence(year, day, month, method_));
}

void Fmain::cboEaster_Click() {
  const Int16 method =
      cboEaster().ListIndex() == kOrthodoxEntry ? kMethodJulianInGregorian : kMethodGregorian;
  if (method == method_) return;
  method_ = method;
  // Remembered when it can be; a failed write is not worth a word to the
  // user, who has the choice on the screen.
  Rt().SaveSetting(kEasterSetting,
                   method == kMethodJulianInGregorian ? kOrthodoxValue : kWesternValue);
  if (cboYear().ListIndex() >= 0) cboYear_Click();
}

}  // namespace velmora
