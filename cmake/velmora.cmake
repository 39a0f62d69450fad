# Helpers shared by the project's CMake files.

# The builds a portable module is compiled for: natively once plainly and
# once under AddressSanitizer and UBSan (the `_san` libraries, for the
# sanitized tests); elsewhere once.
if(NOT WIN32 AND NOT VELMORA_FUZZ)
  set(VELMORA_VARIANTS plain san)
else()
  set(VELMORA_VARIANTS plain)
endif()
set(VELMORA_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# The include root of a module: a folder of the build tree that holds the
# module's own headers under their folder's name (modules/velmora_ui/ui/
# Fmain.hpp), each a link to its file under src/, and nothing else; not the
# folder's win32/ subfolder, which is a module of its own. A module sees the
# headers of the modules it links and no others, so an #include that runs
# against the layering fails to compile. Where the file system refuses
# links (Windows without the right to make them) the root is src/ itself:
# the build still works, without the check (VELMORA_UNFENCED).
function(velmora_module_root name dir out)
  set(root ${CMAKE_BINARY_DIR}/modules/${name})
  set(folder ${root}/${dir})
  set(source ${CMAKE_SOURCE_DIR}/src/${dir})
  if(IS_SYMLINK ${folder})
    file(REMOVE ${folder})  # a link to the whole folder, as older build folders have
  endif()
  file(MAKE_DIRECTORY ${folder})
  file(GLOB headers CONFIGURE_DEPENDS LIST_DIRECTORIES false RELATIVE ${source}
       ${source}/*.hpp ${source}/*.h)
  file(GLOB links LIST_DIRECTORIES false RELATIVE ${folder} ${folder}/*)
  foreach(gone IN LISTS links)  # headers since removed
    if(NOT gone IN_LIST headers)
      file(REMOVE ${folder}/${gone})
    endif()
  endforeach()
  foreach(header IN LISTS headers)
    if(NOT IS_SYMLINK ${folder}/${header})
      file(CREATE_LINK ${source}/${header} ${folder}/${header} RESULT failed SYMBOLIC)
      if(failed)
        message(STATUS "${name}: no link ${folder}/${header} (${failed}); its headers are not fenced")
        set_property(GLOBAL PROPERTY VELMORA_UNFENCED ON)
        set(${out} ${CMAKE_SOURCE_DIR}/src PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# velmora_module(NAME DIR dir SOURCES ... [DEPS modules...] [LIBS libraries...] [WIN32_ONLY])
# A static library of one folder under src/ (DIR, e.g. runtime or
# ui/win32), linking the modules whose headers it includes (DEPS) and any
# other libraries (LIBS). Portable modules get a sanitized twin natively;
# its DEPS are the twins of the same modules.
function(velmora_module name)
  cmake_parse_arguments(ARG "WIN32_ONLY" "DIR" "SOURCES;DEPS;LIBS" ${ARGN})
  velmora_module_root(${name} ${ARG_DIR} root)
  set(variants ${VELMORA_VARIANTS})
  if(ARG_WIN32_ONLY)
    set(variants plain)
  endif()
  foreach(kind IN LISTS variants)
    set(variant "")  # the suffix of the library's name
    if(kind STREQUAL "san")
      set(variant _san)
    endif()
    add_library(${name}${variant} STATIC ${ARG_SOURCES})
    target_include_directories(${name}${variant} PUBLIC ${root})
    foreach(dep IN LISTS ARG_DEPS)
      target_link_libraries(${name}${variant} PUBLIC ${dep}${variant})
    endforeach()
    target_link_libraries(${name}${variant} PUBLIC ${ARG_LIBS})
    if(variant STREQUAL "_san")
      target_compile_options(${name}${variant} PUBLIC ${VELMORA_SANITIZE})
      # The standard library's own checks too (indexes of std::array and the like).
      target_compile_definitions(${name}${variant} PUBLIC _GLIBCXX_ASSERTIONS)
      target_link_options(${name}${variant} PUBLIC ${VELMORA_SANITIZE})
    endif()
  endforeach()
endfunction()

# The version files of a program stamped with a file version (a.b.c.d):
# velmora_version.h for the code and the resource script, and the manifest,
# both made from their templates into DIR.
function(velmora_version_files dir version)
  string(REPLACE "." ";" parts ${version})
  list(GET parts 0 VELMORA_FV_MAJOR)
  list(GET parts 1 VELMORA_FV_MINOR)
  list(GET parts 2 VELMORA_FV_BUILD)
  list(GET parts 3 VELMORA_FV_REVISION)
  set(VELMORA_FV_STRING ${version})
  set(VELMORA_FV_SHOWN ${VELMORA_FV_MAJOR}.${VELMORA_FV_MINOR})
  if(VELMORA_FV_REVISION GREATER 0)
    string(APPEND VELMORA_FV_SHOWN .${VELMORA_FV_REVISION})
  endif()
  # The program's own identity names the architecture it is built for
  # (Windows checks it against the program's when it reads the manifest).
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VELMORA_MANIFEST_ARCH amd64)
  else()
    set(VELMORA_MANIFEST_ARCH x86)
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/cmake/velmora_version.h.in ${dir}/velmora_version.h @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/res/velmora.manifest.in ${dir}/velmora.manifest @ONLY)
endfunction()

# A Windows program as it ships: with the small C++ runtime pieces, and
# stripped after linking, its debug information kept beside it
# (velmora.exe.debug, found by debuggers through the link in the program)
# and its link map (velmora.exe.map).
function(velmora_release_program target)
  if(NOT WIN32 OR MSVC)
    return()
  endif()
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src/runtime/win32/small_cxx_runtime.cpp)
  set(exe $<TARGET_FILE:${target}>)
  # The link map tells where the bytes go (scripts/size-report.py).
  target_link_options(${target} PRIVATE -Wl,-Map=${exe}.map)
  # The linker writes no time into the PE header (--no-insert-timestamp),
  # but objcopy and strip stamp what they write with the present time, or
  # SOURCE_DATE_EPOCH when set: 0 keeps the header without a time, as the
  # linker left it, so the program and its .debug file (whose CRC the
  # debuglink carries) come out the same from the same sources.
  set(untimed ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${untimed} ${CMAKE_OBJCOPY} --only-keep-debug ${exe} ${exe}.debug
    COMMAND ${untimed} ${CMAKE_STRIP} --strip-all ${exe}
    COMMAND ${untimed} ${CMAKE_OBJCOPY} --add-gnu-debuglink=${exe}.debug ${exe}
    VERBATIM)
endfunction()

# The locale a test runs in unless it sets its own: C, whatever language the
# machine speaks (Wine takes a Windows program's UI language and code page
# from the locale, velmora-cli and gettext's tools their language). A folder
# that adds tests calls velmora_tests_in_c_locale() at its end: each of its
# tests gets these settings first, so that a language test's own, which
# come after them, still win. (A native GoogleTest program needs none: C++
# starts every program in the C locale, and none of them changes it.)
set(VELMORA_TEST_C_LOCALE LC_ALL=C.UTF-8 LANGUAGE= LOCPATH=)
function(velmora_tests_in_c_locale)
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(test IN LISTS tests)
    get_test_property(${test} ENVIRONMENT env)
    if(NOT env)
      set(env "")
    endif()
    list(PREPEND env ${VELMORA_TEST_C_LOCALE})
    set_property(TEST ${test} PROPERTY ENVIRONMENT ${env})
  endforeach()
endfunction()

# A GoogleTest program. Natively each case becomes a ctest test; a Windows
# program runs whole under Wine as one ctest test (discovering cases would
# start Wine once more per program for nothing).
function(velmora_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  get_property(unfenced GLOBAL PROPERTY VELMORA_UNFENCED)
  if(unfenced)
    target_compile_definitions(${name} PRIVATE VELMORA_UNFENCED)  # nothing to test of the fence
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} TEST_PREFIX "${name}." PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# ---- The texts users read, and their translations (po/) --------------------
# Made when CMake configures, from po/velmora.pot and po/*.po (a change to
# either configures again): the numbering of the template's texts for the
# code (velmora_messages.h), and each Windows program's tables of texts.
# Every configure checks every catalogue's placeholders against the
# template's, and reads the translations as gettext's msgfmt compiles them.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(VELMORA_MSGFMT msgfmt REQUIRED)
find_program(VELMORA_MSGEN msgen REQUIRED)
set(VELMORA_PO_DIR ${CMAKE_SOURCE_DIR}/po)

function(velmora_messages_run what)
  execute_process(COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/messages.py
                          --msgfmt=${VELMORA_MSGFMT} --msgen=${VELMORA_MSGEN} ${ARGN}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cmake/messages.py could not make ${what}")
  endif()
  file(GLOB catalogues CONFIGURE_DEPENDS ${VELMORA_PO_DIR}/*.po)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${VELMORA_PO_DIR}/velmora.pot ${catalogues} ${CMAKE_SOURCE_DIR}/cmake/messages.py)
endfunction()

# DIR/velmora_messages.h, once every catalogue has passed the check.
function(velmora_messages_header dir)
  velmora_messages_run(${dir}/velmora_messages.h header ${VELMORA_PO_DIR}/velmora.pot
                       ${VELMORA_PO_DIR} ${dir}/velmora_messages.h)
endfunction()

# FILE, a resource script with a table per language of the texts the sources
# under the FOLDERS (below src/; or single files there) use, its data in
# files beside it.
function(velmora_text_tables file)
  list(TRANSFORM ARGN PREPEND src/ OUTPUT_VARIABLE folders)
  velmora_messages_run(${file} rc ${VELMORA_PO_DIR}/velmora.pot ${VELMORA_PO_DIR} ${file}
                       ${folders})
endfunction()
