// The text format: the program's own result sentence for each date.
#include "cli/formats.hpp"
#include "runtime/messages.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"

namespace velmora::cli {
namespace {

class TextFormat final : public DateFormat {
 public:
  using DateFormat::DateFormat;

  void Date(Int16 year, std::size_t feast, DayMonth date) override {
    // Easter Sunday keeps the program's own sentence.
    std::string line = ToUtf8(
        feast == kEaster ? ResultSentence(year, date.day, date.month)
                         : ResultSentence(year, date.day, date.month, Tr(kFeasts[feast].display)));
    line += '\n';
    out_.Text(line);
  }
};

}  // namespace

std::unique_ptr<DateFormat> MakeTextFormat(OutputWriter& out) {
  return std::make_unique<TextFormat>(out);
}

}  // namespace velmora::cli
