#include "sentence/result_sentence.hpp"

#include "runtime/messages.hpp"
#include "runtime/text.hpp"

namespace velmora {

using bas_Computus::kMethodJulian;
using bas_Computus::kMethodJulianInGregorian;

namespace {

Msg EasterPattern(Int16 method) {
  if (method == kMethodJulian) {
    return Msg(
        // TRANSLATORS: velmora-cli's sentence for Easter by the Julian
        // reckoning with its date in the Julian calendar (the old style, as
        // the churches on the Julian calendar date it): %1 is the year, %2 the
        // day, %3 the month, all numbers. It must say that the date is one of
        // the Julian calendar. Where your readers keep Orthodox Easter, call it
        // plainly Easter, as in your sentence for Orthodox Easter below.
        L"In the year %1, Easter by the Julian reckoning occurs in day %2, month %3 "
        "of the Julian calendar.");
  }
  if (method == kMethodJulianInGregorian) {
    // TRANSLATORS: the window's sentence for Orthodox Easter (the Julian
    // reckoning, its date in the Gregorian calendar): %1 is the year, %2
    // the day, %3 the month, all numbers. Where your readers keep Orthodox
    // Easter (Greek, Russian, Ukrainian, Bulgarian, Romanian...), call it
    // plainly Easter; elsewhere name it Orthodox Easter. The same rules of
    // length and line breaks as the sentence below.
    return Msg(L"In the year %1, Orthodox Easter occurs in day %2, month %3.");
  }
  // TRANSLATORS: the window's sentence for Western Easter (the Gregorian
  // reckoning): %1 is the year, %2 the day, %3 the month, all numbers
  // (the month is never a name). Where your readers keep Western Easter,
  // call it plainly Easter; where they keep Orthodox Easter, name it as
  // the Western (or Catholic) Easter. It must fit on two lines of the
  // window's label for every year from 1900 to 2100. The label breaks
  // lines at blanks and after hyphens: join no number to a word with a
  // hyphen ("4-го" could break after the hyphen).
  return Msg(L"In the year %1, Easter holiday occurs in day %2, month %3.");
}

Msg FeastPattern(Int16 method) {
  if (method == kMethodJulian) {
    return Msg(
        // TRANSLATORS: velmora-cli's sentence for a feast other than Easter
        // Sunday, counted from Easter by the Julian reckoning, its date in the
        // Julian calendar: %1 is the year, %2 the day, %3 the month (numbers),
        // %4 the feast's name as translated here. It must say that the date is
        // one of the Julian calendar; where your readers keep Orthodox Easter,
        // it need not name the reckoning.
        L"In the year %1, %4 by the Julian reckoning occurs in day %2, month %3 "
        "of the Julian calendar.");
  }
  if (method == kMethodJulianInGregorian) {
    // TRANSLATORS: velmora-cli's sentence for a feast other than Easter
    // Sunday, counted from Orthodox Easter (Gregorian dates): %1 is the
    // year, %2 the day, %3 the month (numbers), %4 the feast's name. Where
    // your readers keep Orthodox Easter, write it as plainly as your
    // sentence below; elsewhere say that it follows the Orthodox reckoning.
    return Msg(L"In the year %1, %4 by the Orthodox reckoning occurs in day %2, month %3.");
  }
  // TRANSLATORS: velmora-cli's sentence for a feast other than Easter
  // Sunday, counted from Western Easter: %1 is the year, %2 the day, %3
  // the month (numbers), %4 the feast's name as translated here (Good
  // Friday, Pentecost...), which stands alone. Where your readers keep
  // Orthodox Easter, say that it follows the Western reckoning.
  return Msg(L"In the year %1, %4 occurs in day %2, month %3.");
}

}  // namespace

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month, Int16 method) {
  return Fill(Tr(EasterPattern(method)), {DecimalText(year), DecimalText(day), DecimalText(month)});
}

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month, std::wstring_view name,
                            Int16 method) {
  return Fill(Tr(FeastPattern(method)),
              {DecimalText(year), DecimalText(day), DecimalText(month), name});
}

}  // namespace velmora
