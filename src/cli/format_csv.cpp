// The csv format (RFC 4180): a header, then a row per date; CRLF line ends.
#include "cli/formats.hpp"

namespace velmora::cli {
namespace {

class CsvFormat final : public DateFormat {
 public:
  using DateFormat::DateFormat;

  void Begin() override { out_.Text("year,feast,date\r\n"); }

  void Date(Int16 year, std::size_t feast, DayMonth date) override {
    std::string row;
    AppendNumber(row, year);
    row.append(",").append(kFeasts[feast].name).append(",");
    AppendDate(row, year, date);
    row += "\r\n";
    out_.Text(row);
  }
};

}  // namespace

std::unique_ptr<DateFormat> MakeCsvFormat(OutputWriter& out) {
  return std::make_unique<CsvFormat>(out);
}

}  // namespace velmora::cli
