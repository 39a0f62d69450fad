#include "sentence/result_sentence.hpp"

#include "runtime/text.hpp"

namespace velmora {

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month) {
  return ResultSentence(year, day, month, L"Easter holiday");
}

std::wstring ResultSentence(Int16 year, Int16 day, Int16 month, std::wstring_view name) {
  std::wstring sentence = L"In the year " + DecimalText(year) + L", ";
  sentence.append(name);
  return sentence + L" occurs in day " + DecimalText(day) + L", month " + DecimalText(month) + L".";
}

}  // namespace velmora
