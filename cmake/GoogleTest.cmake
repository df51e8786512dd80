# GoogleTest: the installed package when there is one (Debian's libgtest-dev),
# otherwise built from Debian's sources (googletest), which the Windows builds
# always use. Either way the tests link GTest::gtest or GTest::gtest_main.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest QUIET)
endif()
if(NOT TARGET GTest::gtest_main)
  if(NOT EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest not found: install libgtest-dev, or the sources "
                        "(googletest) in ${GTEST_SOURCE_DIR}, or set GTEST_SOURCE_DIR")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # The framework only, not code under test: unoptimised it builds in less than half the time,
  # and each Windows build waits for it before any test program links.
  # Its own warnings are not ours to mend: never errors.
  target_compile_options(gtest PRIVATE -O0 -Wno-error)
  target_compile_options(gtest_main PRIVATE -O0 -Wno-error)
endif()
