#include "sentence/result_sentence.hpp"

#include "runtime/text.hpp"

namespace velmora {

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month) {
  return L"In the year " + DecimalText(year) + L", Easter holiday occurs in day " +
         DecimalText(day) + L", month " + DecimalText(month) + L".";
}

}  // namespace velmora
