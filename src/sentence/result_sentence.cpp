#include "sentence/result_sentence.hpp"

#include "runtime/messages.hpp"
#include "runtime/text.hpp"

namespace velmora {

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month) {
  // TRANSLATORS: the window's sentence: %1 is the year, %2 the day, %3 the
  // month, all numbers (the month is never a name). It must fit on two lines
  // of the window's label for every year from 1900 to 2100. The label
  // breaks lines at blanks and after hyphens: join no number to a word with
  // a hyphen ("4-го" could break after the hyphen).
  return Fill(Tr(L"In the year %1, Easter holiday occurs in day %2, month %3."),
              {DecimalText(year), DecimalText(day), DecimalText(month)});
}

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month, std::wstring_view name) {
  // TRANSLATORS: velmora-cli's sentence for a feast other than Easter Sunday:
  // %1 is the year, %2 the day, %3 the month (numbers), %4 the feast's name
  // as translated here (Good Friday, Pentecost...), which stands alone.
  return Fill(Tr(L"In the year %1, %4 occurs in day %2, month %3."),
              {DecimalText(year), DecimalText(day), DecimalText(month), name});
}

}  // namespace velmora
