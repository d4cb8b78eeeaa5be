# {fmt} and spdlog for every build; GoogleTest for the tests.
#
# All builds use Debian's {fmt} and spdlog headers in header-only mode and build
# GoogleTest from /usr/src/googletest: Debian ships their compiled libraries for
# x86_64 Linux only, and the -m32 and mingw builds must not see /usr/include as a
# whole (its C library headers belong to x86_64 Linux). So only the two library
# folders are exposed, through links in the build tree.

set(TESSARIL_THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${TESSARIL_THIRD_PARTY_INCLUDE})
foreach(library fmt spdlog)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} is missing: install libfmt-dev and libspdlog-dev")
  endif()
  file(CREATE_LINK /usr/include/${library} ${TESSARIL_THIRD_PARTY_INCLUDE}/${library} SYMBOLIC)
endforeach()

add_library(tessaril_fmt INTERFACE)
target_include_directories(tessaril_fmt SYSTEM INTERFACE ${TESSARIL_THIRD_PARTY_INCLUDE})
target_compile_definitions(tessaril_fmt INTERFACE FMT_HEADER_ONLY=1)

add_library(tessaril_spdlog INTERFACE)
target_link_libraries(tessaril_spdlog INTERFACE tessaril_fmt)
target_compile_definitions(tessaril_spdlog INTERFACE SPDLOG_HEADER_ONLY SPDLOG_FMT_EXTERNAL)

if(TESSARIL_BUILD_TESTS)
  set(TESSARIL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TESSARIL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
