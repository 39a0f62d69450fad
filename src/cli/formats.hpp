// velmora-cli's output formats, one file each (format_*.cpp), behind one
// interface. The runner hands a format each date in the order it is to
// appear; the format writes it through the OutputWriter it was made with.
#pragma once

#include <cstddef>
#include <memory>

#include "cli/cli_args.hpp"
#include "cli/feasts.hpp"
#include "cli/output.hpp"
#include "runtime/runtime.hpp"

namespace velmora::cli {

class DateFormat {
 public:
  explicit DateFormat(OutputWriter& out) : out_(out) {}
  virtual ~DateFormat() = default;
  // Before the first date.
  virtual void Begin() {}
  // The date of feast kFeasts[feast] in `year`.
  virtual void Date(Int16 year, std::size_t feast, DayMonth date) = 0;
  // After the last date, also after a run cut short, so that a json
  // document or a calendar is always whole.
  virtual void End() {}

 protected:
  OutputWriter& out_;
};

// A sentence per date, the reckoning of `method` named as the program's
// sentences name it.
std::unique_ptr<DateFormat> MakeTextFormat(OutputWriter& out, Int16 method);
// YYYY-MM-DD, a date per line.
std::unique_ptr<DateFormat> MakeIsoFormat(OutputWriter& out);
// RFC 4180: a header, then "year,feast,date" rows; CRLF line ends.
std::unique_ptr<DateFormat> MakeCsvFormat(OutputWriter& out);
// One array of {"year", "feast", "date", "method"} objects.
std::unique_ptr<DateFormat> MakeJsonFormat(OutputWriter& out, Int16 method);
// An RFC 5545 calendar of all-day events, stamped with the runtime's UTC
// clock; for the request's method and feasts.
std::unique_ptr<DateFormat> MakeIcsFormat(OutputWriter& out, const CliRequest& request,
                                          Runtime& runtime);

}  // namespace velmora::cli
