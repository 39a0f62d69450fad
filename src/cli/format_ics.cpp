// The ics format: an iCalendar file (RFC 5545) with an all-day event per
// date, for calendar applications to import.
#include <array>
#include <vector>

#include "cli/formats.hpp"
#include "computus/bas_Computus.hpp"
#include "runtime/messages.hpp"
#include "velmora_version.h"

namespace velmora::cli {
namespace {

// Content lines (RFC 5545, 3.1) end in CRLF; one longer than 75 octets is
// folded: broken after 75 octets and continued on the next line after one
// blank (74 octets more each time), never inside a UTF-8 sequence.
void AppendContentLine(std::string& out, std::string_view line) {
  std::size_t limit = 75;
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    limit = 74;
  }
  out.append(line);
  out += "\r\n";
}

// A TEXT value: backslash, semicolon, comma and line feed escaped.
std::string IcsText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',' || c == '\n') escaped += '\\';
    escaped += c == '\n' ? 'n' : c;
  }
  return escaped;
}

// Calendar files hold Gregorian dates: the parser refuses method 1 here, so
// every year that reaches a calendar is one of methods 2 and 3.
constexpr int kFirstYear = bas_Computus::kFirstGregorianYear;
constexpr int kLastYear = bas_Computus::kLastGregorianYear;

class IcsFormat final : public DateFormat {
 public:
  IcsFormat(OutputWriter& out, const CliRequest& request, Runtime& runtime)
      : DateFormat(out), request_(request), runtime_(runtime) {}

  void Begin() override { MakeFixedLines(); }

  // An all-day event: DTEND, the day after, is not part of it. Its UID is
  // made of the year, the feast and the method, so that importing the same
  // dates again updates the events instead of adding them a second time;
  // for the same reason a date asked for again is left out.
  void Date(Int16 year, std::size_t feast, DayMonth date) override {
    if (year >= kFirstYear && year <= kLastYear) {
      const std::size_t index = (year - kFirstYear) * kFeasts.size() + feast;
      if (listed_[index]) return;
      listed_[index] = true;
    }

    if (!begun_) WriteHead();
    std::string uid = "UID:";
    AppendNumber(uid, year);
    uid += uid_tail_[feast];
    std::string event = "BEGIN:VEVENT\r\n";
    AppendContentLine(event, uid);
    event += stamp_;
    event += "DTSTART;VALUE=DATE:";
    AppendDate(event, year, date, 0);
    event += "\r\nDTEND;VALUE=DATE:";
    AppendDate(event, year, AddDays(year, date, 1, CalendarKind::kGregorian), 0);
    event += "\r\n";
    event += feast_lines_[feast];
    event += "END:VEVENT\r\n";
    out_.Text(event);
  }

  // A calendar needs at least one event (RFC 5545, 3.6): when no year gave
  // one, there is no calendar at all.
  void End() override {
    if (begun_) out_.Text("END:VCALENDAR\r\n");
  }

 private:
  void WriteHead() {
    std::string head;
    AppendContentLine(head, "BEGIN:VCALENDAR");
    AppendContentLine(head, "VERSION:2.0");
    AppendContentLine(head, "PRODID:-//Velmora//velmora-cli " VELMORA_FV_STRING "//EN");
    AppendContentLine(head, "CALSCALE:GREGORIAN");
    out_.Text(head);
    begun_ = true;
  }

  // DTSTAMP, and the lines of each feast's events that do not depend on the
  // year.
  void MakeFixedLines() {
    // DTSTAMP says when the calendar was made: the present moment, in UTC.
    const DateTime now = runtime_.UtcNow();
    stamp_ = "DTSTAMP:";
    AppendDate(stamp_, now.year, {now.day, now.month}, 0);
    stamp_ += 'T';
    for (const int part : {now.hour, now.minute, now.second}) AppendNumber(stamp_, part, 2);
    stamp_ += "Z\r\n";

    std::string method;
    AppendNumber(method, request_.method);
    // The events' titles name the reckoning where the reader could take it
    // for the other one, so that a calendar holding both Easters shows each
    // under a title of its own.
    const std::string title = request_.method == bas_Computus::kMethodJulianInGregorian
                                  // TRANSLATORS: the title of a calendar event (velmora-cli
                                  // --format ics) counted from Orthodox Easter: %1 is the feast's
                                  // name (Easter Sunday, Good Friday...). Where your readers keep
                                  // Orthodox Easter, leave it %1 alone; elsewhere name the
                                  // Orthodox reckoning. It must differ from the title below.
                                  ? TrUtf8(L"%1 (Orthodox)")
                                  // TRANSLATORS: the title of a calendar event counted from
                                  // Western Easter: %1 is the feast's name. Where your readers
                                  // keep Western Easter, leave it %1 alone; where they keep
                                  // Orthodox Easter, name the Western reckoning ("%1 (Western)").
                                  : TrUtf8(L"%1");
    for (const std::size_t feast : request_.feasts) {
      const FeastInfo& info = kFeasts[feast];
      uid_tail_[feast].append("-").append(info.name).append("-method").append(method);
      uid_tail_[feast] += "@velmora-cli";
      std::string& lines = feast_lines_[feast];
      AppendContentLine(lines, "SUMMARY:" + IcsText(Fill(title, {TrUtf8(info.display)})));
      AppendContentLine(lines, "DESCRIPTION:" + IcsText(DaysFromEasterText(info.offset) + " by " +
                                                        ReckoningName(request_.method) +
                                                        " (velmora-cli --method " + method + ")"));
    }
  }

  const CliRequest& request_;
  Runtime& runtime_;
  bool begun_ = false;  // the calendar's head is written
  std::string stamp_;
  std::array<std::string, kFeasts.size()> uid_tail_, feast_lines_;
  std::vector<bool> listed_ = std::vector<bool>((kLastYear - kFirstYear + 1) * kFeasts.size());
};

}  // namespace

std::unique_ptr<DateFormat> MakeIcsFormat(OutputWriter& out, const CliRequest& request,
                                          Runtime& runtime) {
  return std::make_unique<IcsFormat>(out, request, runtime);
}

}  // namespace velmora::cli
