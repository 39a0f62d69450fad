// The two texts that start-up writes once and the About text reads: a copy
// of the application title (basMain's AppTitle) and the years of the notice
// line (bas_Aboutprogram's AboutYears). They live here, below both modules,
// so that the About text needs nothing from start-up and start-up includes
// this header only.
#pragma once

#include <string>

namespace velmora::basMain {

// A copy of the application title, set once by Main.
extern std::wstring AppTitle;

}  // namespace velmora::basMain

namespace velmora::bas_Aboutprogram {

// The years of the notice line, set once by Main.
extern std::wstring AboutYears;
// The fixed value Main gives AboutYears.
inline constexpr const wchar_t* kAboutYears = L"2026";

}  // namespace velmora::bas_Aboutprogram
