# Velmora's CMake package: the target Velmora::velmora, the header-only C++20
# library of the Easter computation and the feasts (velmora/easter.hpp).
#   find_package(Velmora 1.2 REQUIRED)
#   target_link_libraries(app PRIVATE Velmora::velmora)
include(${CMAKE_CURRENT_LIST_DIR}/VelmoraTargets.cmake)
