# Builds the Windows binaries in <build>/win32 with the mingw-w64 toolchain file, and runs their tests
# under Wine. Skipped without the cross compiler; the tests are skipped without Wine. Sanitizer
# builds leave it out: the cross build has nothing to sanitize.
option(TAVRIN_WIN32 "Cross-build the Windows host and test it under Wine where mingw-w64 is installed" ON)
find_program(TAVRIN_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix)
if(NOT TAVRIN_WIN32 OR TAVRIN_SANITIZE OR NOT TAVRIN_MINGW_CXX)
  return()
endif()

include(ExternalProject)
set(TAVRIN_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
set(win32_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release)
ExternalProject_Add(tavrin_win32_build
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${TAVRIN_WIN32_DIR}
  CMAKE_ARGS ${win32_args}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

find_program(TAVRIN_WINE NAMES wine wine64)
if(NOT TAVRIN_WINE)
  message(STATUS "Wine not found: the Windows binaries are built but not tested")
  return()
endif()
# One Wine prefix per build, made once per test run (its first start takes tens of seconds); the
# tests that run programs under Wine wait for it.
set(TAVRIN_WINE_ENV "WINEPREFIX=${TAVRIN_WIN32_DIR}/wineprefix" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
add_test(NAME win32.prefix COMMAND ${CMAKE_COMMAND} -E env ${TAVRIN_WINE_ENV} ${TAVRIN_WINE} wineboot --init)
set_tests_properties(win32.prefix PROPERTIES FIXTURES_SETUP wineprefix LABELS win32 TIMEOUT 300
                     ENVIRONMENT "${TAVRIN_WINE_ENV}")
# A test that runs a command under Wine; the tests share the prefix one at a time.
function(tavrin_wine_command name)
  add_test(NAME win32.${name} COMMAND ${ARGN} WORKING_DIRECTORY ${TAVRIN_WIN32_DIR})
  set_tests_properties(win32.${name} PROPERTIES FIXTURES_REQUIRED wineprefix LABELS win32 TIMEOUT 300
                       ENVIRONMENT "${TAVRIN_WINE_ENV}" RESOURCE_LOCK wineprefix)
endfunction()
function(tavrin_wine_test name)
  tavrin_wine_command(${name} ${TAVRIN_WINE} ${ARGN})
endfunction()
tavrin_wine_test(automation ${TAVRIN_WIN32_DIR}/test_automation.exe)
tavrin_wine_test(scrollbar ${TAVRIN_WIN32_DIR}/test_scrollbar.exe)
tavrin_wine_test(logic ${TAVRIN_WIN32_DIR}/test_logic.exe)
tavrin_wine_test(script-reading ${TAVRIN_WIN32_DIR}/test_script_reading.exe)
tavrin_wine_test(forms ${TAVRIN_WIN32_DIR}/test_forms.exe)

# The referee: the same drawing cases on real GDI (under Wine) and on the software surface,
# compared pixel by pixel; the comparison writes both pictures and their difference beside it.
add_executable(referee-compare tests/referee/CompareWithSoftware.cpp tests/referee/RefereeDrawing.cpp)
target_link_libraries(referee-compare PRIVATE tavrin_headless)
target_compile_options(referee-compare PRIVATE ${TAVRIN_WARNINGS})
tavrin_wine_test(referee-draw ${TAVRIN_WIN32_DIR}/referee-draw.exe ${TAVRIN_WIN32_DIR}/referee.pix)
set_tests_properties(win32.referee-draw PROPERTIES FIXTURES_SETUP refereepixels)
add_test(NAME win32.referee COMMAND referee-compare ${TAVRIN_WIN32_DIR}/referee.pix ${TAVRIN_WIN32_DIR})
set_tests_properties(win32.referee PROPERTIES FIXTURES_REQUIRED refereepixels LABELS win32)

# Windows need a display: the host's own tests, and the demo as a native window driven through the
# system's input queue (a click, a drag below the list, the menu, a double click and an edit, the
# theme and style keys), under a virtual X server.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  tavrin_wine_command(host ${XVFB_RUN} -a ${TAVRIN_WINE} ${TAVRIN_WIN32_DIR}/test_win32.exe)
  tavrin_wine_command(demo ${XVFB_RUN} -a -s "-screen 0 1024x768x24" ${TAVRIN_WINE} ${TAVRIN_WIN32_DIR}/tavrin-demo.exe
                   --script-input --screenshot ${TAVRIN_WIN32_DIR}/windows-demo.png)
endif()

# Every scenario script on the Windows host: one program runs them all under one X server (each
# script on a fresh form); checks marked `headless only` in a script are left out there.
if(XVFB_RUN)
  file(GLOB scenario_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scenarios/*.tvs)
  tavrin_wine_command(scenarios ${XVFB_RUN} -a -s "-screen 0 1600x1200x24" ${TAVRIN_WINE}
                      ${TAVRIN_WIN32_DIR}/tavrin-run.exe --out ${TAVRIN_WIN32_DIR}/scenario-out ${scenario_scripts})
endif()

# The Wine server that the tests started ends with them.
find_program(TAVRIN_WINESERVER NAMES wineserver)
if(TAVRIN_WINESERVER)
  # (It reports a failure when the server has already gone by itself, which is what we want.)
  add_test(NAME win32.stop COMMAND sh -c "\"${TAVRIN_WINESERVER}\" -k || true")
  set_tests_properties(win32.stop PROPERTIES FIXTURES_CLEANUP wineprefix LABELS win32 ENVIRONMENT "${TAVRIN_WINE_ENV}")
endif()
