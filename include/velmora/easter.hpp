// Easter Sunday by the Julian and the Gregorian reckonings, and the feasts
// that hang on it, as constexpr C++20 over std::chrono. Header-only: nothing
// to link. Nothing here shows, writes, allocates or throws.
//
//   western_easter(y)   the Gregorian reckoning, a Gregorian date   1583..32767
//   orthodox_easter(y)  the Julian reckoning, a Gregorian date      1583..32767
//   julian_easter(y)    the Julian reckoning, a Julian date          326..32767
//
// A year outside a reckoning's range gives an empty optional. The Julian
// reckoning starts with 326, the first Easter after the council of Nicaea
// fixed it; the Gregorian dates start with 1583, the first Easter after the
// Gregorian calendar began (15 October 1582). Both reckonings are fixed
// cycles of arithmetic, so each holds on to std::chrono::year::max().
//
// Years are std::chrono's: proleptic, the year 0 the one before 1 AD.
// std::chrono::year_month_day is a Gregorian date; a Julian date is a
// julian_date, which converts to and from std::chrono::sys_days explicitly
// only, so that it is never taken for a Gregorian one.
//
//   using namespace std::chrono;
//   *velmora::western_easter(2026y)                            2026-04-05
//   sys_days{*velmora::western_easter(2026y)} +
//       velmora::offset(velmora::feast::pentecost)             2026-05-24
//   *velmora::julian_easter(2026y)                  2026-03-30 (Julian)
//   year_month_day{sys_days{*velmora::julian_easter(2026y)}}   2026-04-12
#pragma once

#include <array>
#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>

namespace velmora {

// A date of the Julian calendar: every fourth year a leap year, the year 0
// (1 BC) among them.
class julian_date {
 public:
  julian_date() = default;
  constexpr julian_date(const std::chrono::year& y, const std::chrono::month& m,
                        const std::chrono::day& d) noexcept
      : y_(y), m_(m), d_(d) {}
  // The Julian date of a day. A day outside the Julian years -32767..32767
  // gives a date that is not ok().
  constexpr explicit julian_date(const std::chrono::sys_days& dp) noexcept
      : julian_date(from_days(dp.time_since_epoch().count())) {}

  constexpr std::chrono::year year() const noexcept { return y_; }
  constexpr std::chrono::month month() const noexcept { return m_; }
  constexpr std::chrono::day day() const noexcept { return d_; }

  // A year of std::chrono's range, a month 1..12 and a day of that month.
  constexpr bool ok() const noexcept {
    if (!y_.ok() || !m_.ok() || !d_.ok()) return false;
    const auto m = static_cast<unsigned>(m_);
    const unsigned last = m == 2 ? (static_cast<int>(y_) % 4 == 0 ? 29u : 28u)
                          : m == 4 || m == 6 || m == 9 || m == 11 ? 30u
                                                                  : 31u;
    return static_cast<unsigned>(d_) <= last;
  }

  // The day this date names. When the year and the month are ok() and the
  // day is not, the days are counted on from the month's first, as
  // std::chrono::year_month_day counts them; otherwise the day is
  // unspecified.
  constexpr explicit operator std::chrono::sys_days() const noexcept {
    const auto m = static_cast<unsigned>(m_);
    // Years counted from 1 March, so that the leap day ends the year; four
    // of them are a cycle of 1461 days.
    const int y = static_cast<int>(y_) - (m <= 2);
    const int cycle = (y >= 0 ? y : y - 3) / 4;
    const int year_of_cycle = y - cycle * 4;  // 0..3
    const auto day_of_year = static_cast<int>((153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 +
                                              static_cast<unsigned>(d_) - 1);  // 0..365
    return std::chrono::sys_days{
        std::chrono::days{cycle * 1461 + year_of_cycle * 365 + day_of_year - kEpochFromMarch0}};
  }

  friend constexpr bool operator==(const julian_date&, const julian_date&) noexcept = default;
  friend constexpr std::strong_ordering operator<=>(const julian_date&,
                                                    const julian_date&) noexcept = default;

 private:
  // 1 January 1970 (Gregorian) in days after 1 March of the Julian year 0.
  static constexpr int kEpochFromMarch0 = 719470;

  static constexpr julian_date from_days(std::chrono::days::rep count) noexcept {
    // The days of the years -32767..32767: -12687676 is 1 January -32767,
    // 11248981 is 31 December 32767.
    if (count < -12687676 || count > 11248981) return {};
    const int z = static_cast<int>(count) + kEpochFromMarch0;
    const int cycle = (z >= 0 ? z : z - 1460) / 1461;
    const int day_of_cycle = z - cycle * 1461;                                           // 0..1460
    const int year_of_cycle = (day_of_cycle - day_of_cycle / 1460) / 365;                // 0..3
    const auto day_of_year = static_cast<unsigned>(day_of_cycle - 365 * year_of_cycle);  // 0..365
    const unsigned mp = (5 * day_of_year + 2) / 153;  // 0 is March
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {std::chrono::year{cycle * 4 + year_of_cycle + (m <= 2)}, std::chrono::month{m},
            std::chrono::day{day_of_year - (153 * mp + 2) / 5 + 1}};
  }

  std::chrono::year y_{};
  std::chrono::month m_{};
  std::chrono::day d_{};
};

namespace detail {

// Quotient and remainder of the reckonings' numbers, all of them 0..32767,
// taken as 16-bit numbers: compilers divide those by a constant with a
// multiplication and a shift. The remainder by 7 is taken signed, whose
// multiplier is the shorter.
constexpr unsigned quot(unsigned a, unsigned b) noexcept {
  return static_cast<unsigned>(static_cast<std::uint16_t>(a) / static_cast<std::uint16_t>(b));
}
constexpr unsigned rem(unsigned a, unsigned b) noexcept {
  return static_cast<unsigned>(static_cast<std::uint16_t>(a) % static_cast<std::uint16_t>(b));
}
constexpr unsigned rem7(unsigned a) noexcept {
  return static_cast<unsigned>(static_cast<std::int16_t>(a) % 7);
}

// The two reckonings, each giving Easter Sunday as its day after the end of
// February (1 is 1 March, 32 is 1 April): 22..56, 22 March to 25 April of
// the reckoning's own calendar. The year is 326..32767; C is its century
// (y / 100), T its year of the century, G its place in the moon's 19-year
// cycle, less one. The Sunday after the full moon is found from the
// weekday terms of the century and of T + T / 4, taken mod 7 once, a
// multiple of 7 keeping the dividend above 0.
struct year_terms {
  unsigned C, T, G;
};
constexpr year_terms terms_of(unsigned y) noexcept {
  const unsigned C = quot(y, 100);
  return {C, y - 100 * C, rem(y, 19)};
}

constexpr unsigned julian_reckoning(year_terms t) noexcept {
  const unsigned full_moon = rem(15 + 19 * t.G, 30) + 21;  // 21..50 March
  // 1..7 days to the Sunday after it; the dividend is 4..480.
  return full_moon + rem7(174 + t.C - full_moon - t.T - t.T / 4) + 1;
}

// The Gregorian reckoning's terms of each century from the 15th (the years
// 1500..1599) to the 327th, in a byte: the moon's (the solar and the lunar
// equations, mod 30) times 8, and the weekday's (mod 7).
inline constexpr std::array<std::uint8_t, 313> gregorian_centuries = [] {
  std::array<std::uint8_t, 313> table{};
  for (unsigned C = 15; C < 15 + table.size(); ++C) {
    table[C - 15] = static_cast<std::uint8_t>((15 + C - C / 4 - (8 * C + 13) / 25) % 30 * 8 +
                                              (5 * C + C / 4) % 7);
  }
  return table;
}();

constexpr unsigned gregorian_reckoning(year_terms t) noexcept {
  const unsigned century = gregorian_centuries[t.C - 15];
  const unsigned moon = rem(19 * t.G + century / 8, 30);
  // The full moon, 21..49 March: a day earlier for the moon of 29, and for
  // that of 28 in the cycle's later years, so that Easter never falls after
  // 25 April. No branch: the tests hold for one year in eighteen, at no
  // pattern.
  const unsigned full_moon = 21 + moon - ((moon == 29) | ((moon == 28) & (t.G > 10)));
  // 1..7 days to the Sunday after it; the dividend is 1..158.
  return full_moon + rem7(179 - full_moon - century % 8 - t.T - t.T / 4) + 1;
}

// The date of a day after the end of February, 22..306 (22 March to 31
// December), by a table: no branch on the month, which is as good as random
// from one year to the next.
struct month_day {
  std::uint8_t month, day;
};
inline constexpr std::array<month_day, 285> march_to_december = [] {
  std::array<month_day, 285> table{};
  constexpr unsigned char lengths[] = {31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  unsigned month = 3, day = 21;
  for (month_day& date : table) {
    if (++day > lengths[month - 3]) {
      day = 1;
      ++month;
    }
    date = {static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)};
  }
  return table;
}();
constexpr std::chrono::year_month_day from_march(std::chrono::year y, unsigned n) noexcept {
  const month_day date = march_to_december[n - 22];
  return {y, std::chrono::month{date.month}, std::chrono::day{date.day}};
}

inline constexpr int kFirstJulianYear = 326;
inline constexpr int kFirstGregorianYear = 1583;

}  // namespace detail

// Easter Sunday by the Gregorian reckoning: 1583 onward.
constexpr std::optional<std::chrono::year_month_day> western_easter(std::chrono::year y) noexcept {
  const int n = static_cast<int>(y);
  if (n < detail::kFirstGregorianYear) return std::nullopt;
  return detail::from_march(
      y, detail::gregorian_reckoning(detail::terms_of(static_cast<unsigned>(n))));
}

// Easter Sunday by the Julian reckoning, as a Gregorian date: 1583 onward
// (4 April to 8 May in 1900..2099, a day later from each century year that
// the Gregorian calendar makes no leap year, in December by 32767).
constexpr std::optional<std::chrono::year_month_day> orthodox_easter(std::chrono::year y) noexcept {
  const int n = static_cast<int>(y);
  if (n < detail::kFirstGregorianYear) return std::nullopt;
  const detail::year_terms t = detail::terms_of(static_cast<unsigned>(n));
  // The calendars' difference from 1 March of the century's first year:
  // one day for each century year before it that is a Julian leap year but
  // not a Gregorian one (10 days in 1583, 13 in 1900..2099).
  return detail::from_march(y, detail::julian_reckoning(t) + t.C - t.C / 4 - 2);
}

// Easter Sunday by the Julian reckoning, as a date of the Julian calendar:
// 326 onward.
constexpr std::optional<julian_date> julian_easter(std::chrono::year y) noexcept {
  const int n = static_cast<int>(y);
  if (n < detail::kFirstJulianYear) return std::nullopt;
  const std::chrono::year_month_day date =
      detail::from_march(y, detail::julian_reckoning(detail::terms_of(static_cast<unsigned>(n))));
  return julian_date{date.year(), date.month(), date.day()};
}

// The feasts that hang on Easter Sunday, in the order of the year: Clean
// Monday begins Great Lent in the Eastern churches, Ash Wednesday Lent in
// the Western ones.
enum class feast {
  clean_monday,
  ash_wednesday,
  palm_sunday,
  maundy_thursday,
  good_friday,
  holy_saturday,
  easter,
  easter_monday,
  ascension,
  pentecost,
  whit_monday,
  trinity_sunday,
  corpus_christi,
};

// The days from Easter Sunday to a feast: negative before it. Added to
// Easter as std::chrono::sys_days, in either calendar:
//   sys_days{*western_easter(y)} + offset(feast::pentecost)
//   julian_date{sys_days{*julian_easter(y)} + offset(feast::pentecost)}
// A value that is none of the enumerators gives 0 days.
constexpr std::chrono::days offset(feast f) noexcept {
  switch (f) {
    case feast::clean_monday:
      return std::chrono::days{-48};
    case feast::ash_wednesday:
      return std::chrono::days{-46};
    case feast::palm_sunday:
      return std::chrono::days{-7};
    case feast::maundy_thursday:
      return std::chrono::days{-3};
    case feast::good_friday:
      return std::chrono::days{-2};
    case feast::holy_saturday:
      return std::chrono::days{-1};
    case feast::easter:
      return std::chrono::days{0};
    case feast::easter_monday:
      return std::chrono::days{1};
    case feast::ascension:
      return std::chrono::days{39};
    case feast::pentecost:
      return std::chrono::days{49};
    case feast::whit_monday:
      return std::chrono::days{50};
    case feast::trinity_sunday:
      return std::chrono::days{56};
    case feast::corpus_christi:
      return std::chrono::days{60};
  }
  return std::chrono::days{0};
}

}  // namespace velmora
