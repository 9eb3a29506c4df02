# Shared build rules: warnings, the subsystem library helper and the two test helpers.

if(MSVC)
  set(KAV_WARNINGS /W4 /permissive-)
  # The sources are UTF-8 with Japanese texts; without /utf-8 a Japanese Windows reads them
  # in code page 932. The program ships without DLLs: the static C++ runtime.
  add_compile_options(/utf-8)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  set(KAV_WARNINGS -Wall -Wextra -Wpedantic)
endif()

if(WIN32)
  # Unicode only; no min/max macros; Windows 10 API level.
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00)
  if(MINGW)
    add_link_options(-static -static-libgcc -static-libstdc++)
  endif()
endif()

# A Windows program whose entry is wWinMain or wmain (Unicode command line).
function(kav_unicode_entry target)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()

# kav_library(NAME folder-relative sources globbed from the calling folder)
# Every portable subsystem is one static library made of the .cpp files of its folder.
function(kav_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KAV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# GoogleTest, only when the tests are built. The mingw cross build has no packaged GoogleTest
# for its target, so it builds Debian's source tree; every other build (g++ natively, MSVC,
# mingw on Windows) finds an installed one.
if(KAV_BUILD_TESTS)
  if(MINGW AND CMAKE_CROSSCOMPILING)
    set(KAV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree for the mingw cross build")
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${KAV_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(KAV_GTEST gtest gmock)
    set(KAV_GTEST_MAIN gtest_main)
  else()
    find_package(GTest REQUIRED)
    set(KAV_GTEST GTest::gtest GTest::gmock)
    set(KAV_GTEST_MAIN GTest::gtest_main)
    include(GoogleTest)
  endif()
endif()

# kav_test(NAME SOURCES ... DEPS ...): one test program. Where the tests run on the build
# machine every test case is its own ctest entry; in the cross build, under Wine, the whole
# program is one entry (one Wine process start instead of hundreds), its count printed by
# GoogleTest.
function(kav_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS;SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KAV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${KAV_GTEST} ${KAV_GTEST_MAIN})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
