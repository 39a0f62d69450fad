// The json format: one array, an object a line.
#include "cli/formats.hpp"

namespace velmora::cli {
namespace {

class JsonFormat final : public DateFormat {
 public:
  JsonFormat(OutputWriter& out, Int16 method) : DateFormat(out), method_(method) {}

  void Begin() override { pending_ = "["; }

  // A line goes out once the next one comes, with the comma it then needs:
  // standard output gets whole lines, between which a refusal on standard
  // error can stand.
  void Date(Int16 year, std::size_t feast, DayMonth date) override {
    pending_ += first_ ? "\n" : ",\n";
    out_.Text(pending_);
    first_ = false;
    pending_ = "  {\"year\": ";
    AppendNumber(pending_, year);
    pending_.append(", \"feast\": \"").append(kFeasts[feast].name).append("\", \"date\": \"");
    AppendDate(pending_, year, date);
    pending_ += "\", \"method\": ";
    AppendNumber(pending_, method_);
    pending_ += '}';
  }

  void End() override { out_.Text(pending_ + (first_ ? "]\n" : "\n]\n")); }

 private:
  const Int16 method_;
  bool first_ = true;
  std::string pending_;  // the last line, not yet written
};

}  // namespace

std::unique_ptr<DateFormat> MakeJsonFormat(OutputWriter& out, Int16 method) {
  return std::make_unique<JsonFormat>(out, method);
}

}  // namespace velmora::cli
