#include "sysmenu/shared_texts.hpp"

namespace velmora {

std::wstring basMain::AppTitle;
std::wstring bas_Aboutprogram::AboutYears;

}  // namespace velmora
