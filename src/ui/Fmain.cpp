#include "ui/Fmain.hpp"

#include "computus/bas_Computus.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"

namespace velmora {

void Fmain::Form_Load() {
  SetCaption(Rt().AppTitle());
  for (Int16 year = kFirstYear; year <= kLastYear; year = Add16(year, 1)) {
    cboYear().AddItem(DecimalText(year));
  }
}

void Fmain::cboYear_Click() {
  const Int16 index = cboYear().ListIndex();
  const Int16 year = Val16(cboYear().List(index));
  Int16 day = 0;
  Int16 month = 0;
  if (!bas_Computus::GetEasterDay(day, month, year, bas_Computus::kMethodGregorian)) return;
  Cal().PutYear(year);
  Cal().PutMonth(month);
  Cal().PutDay(day);
  Cal().Refresh();
  lbl().SetCaption(ResultSentence(year, day, month));
}

}  // namespace velmora
