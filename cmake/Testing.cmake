include(GoogleTest)

# tessaril_add_test(<name> [THREADED] [TIMING] SOURCES <files...> LIBRARIES <targets...>)
#
# THREADED marks a program whose tests involve more than one thread; the tsan
# build runs only those (label "threads"). TIMING marks a program that measures
# wall-clock rhythm: ctest runs its cases alone, so a neighbour test does not
# take the CPU it measures.
#
# One GoogleTest program. Its cases are listed when ctest runs (not at build
# time), through the cross-compiling emulator where there is one (qemu-i386 for
# the -m32 build). Windows programs are built but only run under Wine by their
# own test stage.
function(tessaril_add_test name)
  cmake_parse_arguments(ARG "THREADED;TIMING" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} tessaril_warnings GTest::gmock GTest::gtest_main)
  # One label at most: a list would be split again on its way to ctest.
  set(label unit)
  if(ARG_THREADED)
    set(label threads)
  endif()
  set(serial FALSE)
  if(ARG_TIMING)
    set(serial TRUE)
  endif()
  if(NOT WIN32)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 120 LABELS ${label} RUN_SERIAL ${serial})
  endif()
endfunction()
