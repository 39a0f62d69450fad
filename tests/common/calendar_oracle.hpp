// Calendar arithmetic for tests, independent of the program's own code: day
// numbers of dates in either calendar, weekdays, and Easter Sunday by other
// published reckonings (Meeus), to check what the program computes.
#pragma once

namespace velmora::test {

// Julian day numbers of a date of the Gregorian or the Julian calendar.
inline long long JdnGregorian(long long y, int m, int d) {
  const long long a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}
inline long long JdnJulian(long long y, int m, int d) {
  const long long a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - 32083;
}
inline bool IsSunday(long long jdn) { return (jdn + 1) % 7 == 0; }

struct CivilDate {
  long long year;
  int month, day;
};
inline CivilDate GregorianFromJdn(long long jdn) {
  const long long a = jdn + 32044, b = (4 * a + 3) / 146097, c = a - 146097 * b / 4;
  const long long d = (4 * c + 3) / 1461, e = c - 1461 * d / 4, m = (5 * e + 2) / 153;
  return {100 * b + d - 4800 + m / 10, static_cast<int>(m + 3 - 12 * (m / 10)),
          static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

inline CivilDate JulianFromJdn(long long jdn) {
  const long long c = jdn + 32082, d = (4 * c + 3) / 1461, e = c - 1461 * d / 4;
  const long long m = (5 * e + 2) / 153;
  return {d - 4800 + m / 10, static_cast<int>(m + 3 - 12 * (m / 10)),
          static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

// Easter Sunday as month*100 + day: the anonymous Gregorian reckoning, and
// the Julian reckoning with its date in the Julian calendar.
inline int MeeusGregorian(long long y) {
  const long long a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25;
  const long long g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
  const long long l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
  const long long n = h + l - 7 * m + 114;
  return static_cast<int>((n / 31) * 100 + n % 31 + 1);
}
inline int MeeusJulian(long long y) {
  const long long d = (19 * (y % 19) + 15) % 30, e = (2 * (y % 4) + 4 * (y % 7) - d + 34) % 7;
  const long long n = d + e + 114;
  return static_cast<int>((n / 31) * 100 + n % 31 + 1);
}

}  // namespace velmora::test
