// The text format: the program's own result sentence for each date.
#include "cli/formats.hpp"
#include "runtime/messages.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"

namespace velmora::cli {
namespace {

class TextFormat final : public DateFormat {
 public:
  TextFormat(OutputWriter& out, Int16 method) : DateFormat(out), method_(method) {}

  void Date(Int16 year, std::size_t feast, DayMonth date) override {
    // Easter Sunday keeps the program's own sentence.
    std::string line =
        ToUtf8(feast == kEaster ? ResultSentence(year, date.day, date.month, method_)
                                : ResultSentence(year, date.day, date.month,
                                                 Tr(kFeasts[feast].display), method_));
    line += '\n';
    out_.Text(line);
  }

 private:
  const Int16 method_;
};

}  // namespace

std::unique_ptr<DateFormat> MakeTextFormat(OutputWriter& out, Int16 method) {
  return std::make_unique<TextFormat>(out, method);
}

}  // namespace velmora::cli
