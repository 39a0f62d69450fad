// The iso format: a date per line.
#include "cli/formats.hpp"

namespace velmora::cli {
namespace {

class IsoFormat final : public DateFormat {
 public:
  using DateFormat::DateFormat;

  void Date(Int16 year, std::size_t, DayMonth date) override {
    std::string line;
    AppendDate(line, year, date);
    line += '\n';
    out_.Text(line);
  }
};

}  // namespace

std::unique_ptr<DateFormat> MakeIsoFormat(OutputWriter& out) {
  return std::make_unique<IsoFormat>(out);
}

}  // namespace velmora::cli
