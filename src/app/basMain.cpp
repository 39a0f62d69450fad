#include "app/basMain.hpp"

#include "computus/bas_Computus.hpp"
#include "runtime/error_trap.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"

namespace velmora::basMain {

namespace {

void StartUp(Host& host) {
  Runtime& rt = Rt();

  const std::wstring command = rt.Command();
  const Int16 year = command.size() > 0 ? Val16(command) : rt.Now().year;

  AppTitle = rt.AppTitle();
  bas_Aboutprogram::AboutYears = bas_Aboutprogram::kAboutYears;

  Fmain& form = host.LoadFmain();

  // The Easter the window shows: the user's choice, else the language's.
  const Int16 method = form.EasterMethod();
  Int16 day = 0;
  Int16 month = 0;
  if (bas_Computus::GetEasterDay(day, month, year, method)) {
    form.Cal().PutYear(year);
    form.Cal().PutMonth(month);
    form.Cal().PutDay(day);
    // Runs the list's click handler, nested; only 1900..2100 can be selected.
    form.cboYear().SetListIndex(Sub16(year, Fmain::kFirstYear));

    const std::wstring sentence = ResultSentence(year, day, month, method);
    const DateTime easter{year, month, day, 0, 0, 0};
    if (easter > rt.Now()) {
      rt.MsgBox(sentence, MsgIcon::kInformation, rt.AppTitle());
    } else {
      form.lbl().SetCaption(sentence);
    }
  }
  // A refused year is no error: its message has been shown, and the window
  // shows with nothing selected.

  form.Show();
  host.AddAboutItem(form.hWnd(), L"");
}

}  // namespace

void Main(Host& host) {
  RunTrapped([&host] { StartUp(host); });
}

}  // namespace velmora::basMain
