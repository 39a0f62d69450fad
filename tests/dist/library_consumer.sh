#!/usr/bin/env bash
# The library as a project of its own finds and uses it: the build's
# library installed into a folder of the test's own (cmake --install
# --component dev, what libvelmora-dev carries), then a small program built
# against it and run, once for each way and compiler:
#   package       find_package(Velmora 1.2 REQUIRED) and Velmora::velmora
#   pkg-config    pkg-config --cflags velmora, as C++20 and as C++23
#   subdirectory  add_subdirectory of the sources, which must give the
#                 library's target and no other (no program, no test)
#   fetchcontent  FetchContent_MakeAvailable of the sources, the same
# with g++ and, where it is installed, clang++. The header is compiled with
# -Wall -Wextra -Wpedantic -Wconversion, warnings as errors, not as a
# system header.
#   library_consumer.sh SOURCE-DIR BUILD-DIR WORK-DIR
set -euo pipefail
src=$(realpath "$1") build=$2 work=$3
rm -rf "$work" && mkdir -p "$work/app"
work=$(realpath "$work")
prefix=$work/prefix
cmake --install "$build" --component dev --prefix "$prefix" >/dev/null
status=0
fail() { echo "library_consumer: $*"; status=1; }

warnings="-Wall -Wextra -Wpedantic -Wconversion -Werror"
cat >"$work/app/main.cpp" <<'EOF'
#include <velmora/easter.hpp>  // first: the header needs nothing before it

#include <cstdio>

using namespace std::chrono;
static_assert(velmora::western_easter(2026y) == 2026y / April / 5);

int main() {
  const year_month_day western = *velmora::western_easter(2026y);
  const year_month_day pentecost{sys_days{western} + velmora::offset(velmora::feast::pentecost)};
  const year_month_day orthodox = *velmora::orthodox_easter(2026y);
  const velmora::julian_date julian = *velmora::julian_easter(2026y);
  for (const auto& date : {western, pentecost, orthodox,
                           year_month_day{julian.year(), julian.month(), julian.day()}}) {
    std::printf("%d-%02u-%02u ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  }
  std::printf("%s\n", velmora::western_easter(1582y) ? "1582" : "-");
}
EOF
expected="2026-04-05 2026-05-24 2026-04-12 2026-03-30 -"
cat >"$work/app/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.21)
project(consumer LANGUAGES CXX)
if(WAY STREQUAL "package")
  find_package(Velmora 1.2 REQUIRED)
elseif(WAY STREQUAL "subdirectory")
  add_subdirectory(${LIBRARY_SOURCE} velmora)
else()
  include(FetchContent)
  FetchContent_Declare(velmora SOURCE_DIR ${LIBRARY_SOURCE})
  FetchContent_MakeAvailable(velmora)
endif()
add_executable(app main.cpp)
separate_arguments(warnings UNIX_COMMAND "${WARNINGS}")
target_compile_options(app PRIVATE ${warnings})
set_target_properties(app PROPERTIES NO_SYSTEM_FROM_IMPORTED ON)
target_link_libraries(app PRIVATE Velmora::velmora)
EOF

compilers=(g++)
if command -v clang++ >/dev/null; then compilers+=(clang++); fi
for cxx in "${compilers[@]}"; do
  for way in package pkg-config subdirectory fetchcontent; do
    out=$work/$cxx-$way
    mkdir -p "$out"
    case $way in
      pkg-config)
        for std in c++20 c++2b; do
          # shellcheck disable=SC2046,SC2086
          "$cxx" -std=$std $warnings $(PKG_CONFIG_PATH=$prefix/share/pkgconfig pkg-config --cflags velmora) \
            "$work/app/main.cpp" -o "$out/app-$std" >"$out/log" 2>&1 || { fail "$cxx, $way, $std: $(cat "$out/log")"; continue; }
          [ "$("$out/app-$std")" = "$expected" ] || fail "$cxx, $way, $std: $("$out/app-$std")"
        done
        [ "$(PKG_CONFIG_PATH=$prefix/share/pkgconfig pkg-config --modversion velmora)" = \
          "$(sed -n 's/^#define VELMORA_FV_STRING "\(.*\)"/\1/p' "$build/generated/velmora_version.h")" ] ||
          fail "$cxx, $way: velmora.pc is not this version"
        continue ;;
    esac
    if ! cmake -S "$work/app" -B "$out" -DCMAKE_CXX_COMPILER="$cxx" -DWAY="$way" -DWARNINGS="$warnings" \
         -DCMAKE_PREFIX_PATH="$prefix" -DLIBRARY_SOURCE="$src" -DFETCHCONTENT_QUIET=ON >"$out/log" 2>&1 ||
       ! cmake --build "$out" >>"$out/log" 2>&1; then
      fail "$cxx, $way: $(tail -20 "$out/log")"
      continue
    fi
    [ "$("$out/app")" = "$expected" ] || fail "$cxx, $way: $("$out/app")"
    # Taken in from the sources, the project is the library alone.
    if [ "$way" != package ]; then
      # The targets' names alone ("... app"): make's own lines name folders,
      # which may hold the word.
      targets=$(cmake --build "$out" --target help | sed -n 's/^\.\.\. //p')
      grep -qi velmora <<<"$targets" && fail "$cxx, $way: the build has Velmora's targets: $(grep -i velmora <<<"$targets" | tr '\n' ' ')"
      grep -Eq '^(GTest|Python3|VELMORA_)' "$out/CMakeCache.txt" && fail "$cxx, $way: Velmora's settings reached the cache: $(grep -E '^(GTest|Python3|VELMORA_)' "$out/CMakeCache.txt" | tr '\n' ' ')"
    fi
  done
done
[ $status = 0 ] && echo "library_consumer: ${compilers[*]}: package, pkg-config (C++20, C++23), subdirectory, fetchcontent"
exit $status
