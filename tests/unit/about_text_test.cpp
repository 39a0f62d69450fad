#include "sysmenu/bas_Aboutprogram.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/basMain.hpp"
#include "runtime/recording_runtime.hpp"

namespace velmora {
namespace {

using namespace bas_Aboutprogram;

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (wchar_t c : text) {
    if (c == L'\r') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    basMain::AppTitle = L"Velmora";
    AboutYears = L"2026";
  }
  void TearDown() override {
    basMain::AppTitle.clear();
    AboutYears.clear();
  }
  RecordingRuntime rt;
  ScopedRuntime installed{rt};
};

TEST_F(AboutBox, SevenLinesSeparatedByLoneCarriageReturns) {
  const std::wstring text = AboutText();
  EXPECT_EQ(text,
            L"Velmora  -  version 1.1\r\r"
            L"Copyright \u00A9 2026, Velmora developers\r"
            L"Made on planet Earth\r\r"
            L"Email: velmora@example.org\r"
            L"Web: https://www.example.org/velmora/about");
  EXPECT_EQ(text.find(L'\n'), std::wstring::npos);
  EXPECT_NE(text.back(), L'\r');
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_TRUE(lines[1].empty());
  EXPECT_TRUE(lines[4].empty());
  for (std::size_t i : {0u, 2u, 3u, 5u, 6u}) EXPECT_FALSE(lines[i].empty()) << i;
}

TEST_F(AboutBox, TitleLineFollowsTheVersionAskedEachTime) {
  struct Case {
    AppVersion version;
    const wchar_t* title;
  };
  const Case cases[] = {
      {{1, 1, 0}, L"Velmora  -  version 1.1"},
      {{2, 3, 4}, L"Velmora  -  version 2.3.4"},
      {{10, 0, 32767}, L"Velmora  -  version 10.0.32767"},
      {{1, 2, -1}, L"Velmora  -  version 1.2"},  // only a revision above 0 shows
  };
  for (const auto& c : cases) {
    rt.version = c.version;
    EXPECT_EQ(Lines(AboutText())[0], c.title);
  }
  basMain::AppTitle.clear();
  rt.version = {1, 1, 0};
  EXPECT_EQ(Lines(AboutText())[0], L"  -  version 1.1");
}

TEST_F(AboutBox, NameAndAddressAreBuiltFromTheirCodesOnEveryCall) {
  EXPECT_EQ(AuthorName(), L"Velmora developers");
  EXPECT_EQ(AuthorName().size(), 18u);
  EXPECT_EQ(WebAddress(), L"https://www.example.org/velmora/about");
  EXPECT_EQ(WebAddress().size(), 37u);
  const std::wstring first = AboutText();
  EXPECT_EQ(AboutText(), first);
  EXPECT_EQ(std::count(first.begin(), first.end(), L'\u00A9'), 1);
}

}  // namespace
}  // namespace velmora
