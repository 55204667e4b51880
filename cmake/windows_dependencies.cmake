# The libraries the Windows build takes from the build machine. nlohmann-json and CLI11 are
# header-only: the cross compiler does not search /usr/include, so it sees only them, through
# a folder of links. GoogleTest is built from Debian's sources with the cross compiler.
set(QUILLRATE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${QUILLRATE_HOST_HEADERS})
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${QUILLRATE_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${QUILLRATE_HOST_HEADERS})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${QUILLRATE_HOST_HEADERS})

# Every printf-style function takes the C99 formats (%zu, %lld) the code uses.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX)

if(QUILLRATE_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

# Tests run the Windows programs under Wine, in the build's own prefix (tests/wine/).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/run_in_wine.sh)
