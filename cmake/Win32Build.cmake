# The cross build for Windows: the host-independent libraries, the controls, the native Windows host
# (platform/win32) and the programs and tests that run on it. Nothing here needs FreeType, libpng or
# SDL: the Windows host draws text with GDI and reads and writes PNG with the Imaging Component.
set(TAVRIN_WARNINGS -Wall -Wextra -Werror -Wno-unused-parameter -Wno-error=restrict
    -Wno-error=stringop-overread -Wno-error=stringop-overflow)

function(tavrin_library name)
  file(GLOB srcs CONFIGURE_DEPENDS ${ARGN})
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIN_WARNINGS})
endfunction()

tavrin_library(tavrin_automation automation/*.cpp)
tavrin_library(tavrin_platform platform/*.cpp)
target_link_libraries(tavrin_platform PUBLIC tavrin_automation)
tavrin_library(tavrin_controls control/*.cpp render/*.cpp scrollbar/*.cpp about/*.cpp)
target_link_libraries(tavrin_controls PUBLIC tavrin_platform)

# The theme pictures are drawn by our own code on every host.
add_library(tavrin_pictures STATIC platform/software/ThemePictures.cpp platform/software/PictureStore.cpp)
target_link_libraries(tavrin_pictures PUBLIC tavrin_platform)
target_compile_options(tavrin_pictures PRIVATE ${TAVRIN_WARNINGS})

# platform/win32: the controls' platform on GDI and USER32. The DejaVu faces go into every program
# that links it, as resources, so text looks the same on every Windows machine.
enable_language(RC)
tavrin_library(tavrin_win32 platform/win32/*.cpp)
target_link_libraries(tavrin_win32 PUBLIC tavrin_pictures tavrin_platform gdi32 user32 msimg32 comctl32
                      windowscodecs ole32 uuid)
target_compile_definitions(tavrin_win32 PUBLIC UNICODE _UNICODE NOMINMAX)
set(TAVRIN_FONT_DIR /usr/share/fonts/truetype/dejavu CACHE PATH "Where the DejaVu fonts are")
set(fonts_rc "")
set(font_id 101)
foreach(face DejaVuSans DejaVuSans-Bold DejaVuSans-Oblique DejaVuSans-BoldOblique DejaVuSerif DejaVuSerif-Bold
        DejaVuSerif-Italic DejaVuSerif-BoldItalic DejaVuSansMono DejaVuSansMono-Bold DejaVuSansMono-Oblique
        DejaVuSansMono-BoldOblique)
  if(EXISTS ${TAVRIN_FONT_DIR}/${face}.ttf)
    string(APPEND fonts_rc "${font_id} RCDATA \"${TAVRIN_FONT_DIR}/${face}.ttf\"\n")
  endif()
  math(EXPR font_id "${font_id} + 1")
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/tavrin_fonts.rc "${fonts_rc}")
target_sources(tavrin_win32 INTERFACE ${PROJECT_BINARY_DIR}/tavrin_fonts.rc)

# The referee: the same drawing on real GDI, written out for the native side to compare.
add_executable(referee-draw tests/referee/DrawOnWindows.cpp tests/referee/RefereeDrawing.cpp)
target_link_libraries(referee-draw PRIVATE tavrin_win32)
target_compile_options(referee-draw PRIVATE ${TAVRIN_WARNINGS})

# The script host on the Windows host: the interpreter of tools/tavrin-run with its session on real
# windows; form files through the same code as on the other hosts (JSON is header-only), their
# pictures through the Imaging Component.
find_path(TAVRIN_JSON_INCLUDE nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH)
if(TAVRIN_JSON_INCLUDE)
  # Only the JSON headers: the rest of the build machine's include folder is not for this compiler.
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/json-include)
  file(CREATE_LINK ${TAVRIN_JSON_INCLUDE}/nlohmann ${PROJECT_BINARY_DIR}/json-include/nlohmann SYMBOLIC)
  file(GLOB runner_srcs CONFIGURE_DEPENDS tools/tavrin-run/*.cpp tools/tavrin-run/win32/*.cpp)
  list(FILTER runner_srcs EXCLUDE REGEX "/HeadlessSession\\.cpp$")
  add_executable(tavrin-run ${runner_srcs} platform/software/FormFile.cpp platform/software/Files.cpp
                            platform/software/FormValues.cpp platform/software/Clock.cpp
                            platform/software/GeneratedImage.cpp)
  target_include_directories(tavrin-run PRIVATE ${PROJECT_BINARY_DIR}/json-include)
  target_link_libraries(tavrin-run PRIVATE tavrin_controls tavrin_win32)
  target_compile_options(tavrin-run PRIVATE ${TAVRIN_WARNINGS})
else()
  message(STATUS "nlohmann-json not found: tavrin-run.exe is not built")
endif()

# GoogleTest from its Debian source package, built with the cross compiler.
find_path(TAVRIN_GTEST_SOURCE NAMES googletest/CMakeLists.txt PATHS /usr/src/googletest NO_CMAKE_FIND_ROOT_PATH)
if(NOT TAVRIN_GTEST_SOURCE)
  message(STATUS "GoogleTest sources not found: the Windows tests are not built")
  return()
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${TAVRIN_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL)

enable_testing()
# Unit tests that need no host, as on the other hosts, one program per area.
function(tavrin_win32_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tavrin_controls tavrin_pictures gtest gtest_main)
  target_compile_options(${name} PRIVATE ${TAVRIN_WARNINGS})
  add_test(NAME ${name} COMMAND ${name})
endfunction()
file(GLOB automation_tests CONFIGURE_DEPENDS tests/unit/automation/*.cpp)
tavrin_win32_test(test_automation ${automation_tests})
file(GLOB scrollbar_tests CONFIGURE_DEPENDS tests/unit/scrollbar/*.cpp)
tavrin_win32_test(test_scrollbar ${scrollbar_tests})
# The list's logic that needs no surface (item texts, property values), and reading scripts.
tavrin_win32_test(test_logic tests/unit/control/item_text_test.cpp tests/unit/forms/HostObjectsTest.cpp)
tavrin_win32_test(test_script_reading tests/unit/runner/ScriptReadingTest.cpp tools/tavrin-run/Lexer.cpp
                  tools/tavrin-run/Parser.cpp tools/tavrin-run/ParserStatements.cpp)
# Form files: every kind of value, fonts, pictures (through the Imaging Component) and what they
# refuse.
if(TAVRIN_JSON_INCLUDE)
  tavrin_win32_test(test_forms tests/unit/forms/FormFileTest.cpp platform/software/FormFile.cpp
                    platform/software/Files.cpp platform/software/FormValues.cpp
                    tools/tavrin-run/win32/FormPictures.cpp)
  target_include_directories(test_forms PRIVATE ${PROJECT_BINARY_DIR}/json-include)
  target_link_libraries(test_forms PRIVATE tavrin_win32)
endif()
# The Windows host's own tests.
file(GLOB win32_tests CONFIGURE_DEPENDS tests/win32/*.cpp)
tavrin_win32_test(test_win32 ${win32_tests})
target_link_libraries(test_win32 PRIVATE tavrin_win32)

# The live demo as a native window.
add_executable(tavrin-demo tools/tavrin-demo-win32/main.cpp)
target_link_libraries(tavrin-demo PRIVATE tavrin_controls tavrin_win32)
target_compile_options(tavrin-demo PRIVATE ${TAVRIN_WARNINGS})
add_executable(hello-list WIN32 examples/win32/hello_list.cpp)
target_link_libraries(hello-list PRIVATE tavrin_controls tavrin_win32)
target_compile_options(hello-list PRIVATE ${TAVRIN_WARNINGS})

