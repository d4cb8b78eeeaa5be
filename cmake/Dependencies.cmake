# {fmt} and spdlog for every build; GoogleTest for the tests; Google Benchmark
# for the benchmarks.
#
# Each is looked for the way CMake users expect, with find_package in config
# mode: a machine that has them elsewhere (another distribution,
# CMAKE_PREFIX_PATH, a vcpkg or Conan toolchain file) configures as it is. Only
# where a package is not found does the fallback serve: Debian's {fmt} and
# spdlog headers in header-only mode, GoogleTest built from its sources
# (/usr/src/googletest). The -m32 and mingw builds take the fallbacks: Debian
# ships these libraries for x86_64 Linux only, and those builds must not see
# /usr/include as a whole (its C library headers belong to x86_64 Linux), so
# only the two library folders are exposed, through links in the build tree.
# CMAKE_DISABLE_FIND_PACKAGE_<name>=ON takes the fallback on any build.
#
# The project's targets link tessaril_fmt and tessaril_spdlog, whichever serves.

# <target> gets Debian's headers of <library>, exposed alone in the build tree.
function(tessaril_debian_headers target library)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "${library} was not found as a package and /usr/include/${library} is missing: "
                        "install libfmt-dev and libspdlog-dev, or point CMAKE_PREFIX_PATH at ${library}")
  endif()
  message(STATUS "${library}: Debian's headers, header-only")
  set(links ${CMAKE_BINARY_DIR}/third_party/include)
  file(MAKE_DIRECTORY ${links})
  file(CREATE_LINK /usr/include/${library} ${links}/${library} SYMBOLIC)
  target_include_directories(${target} SYSTEM INTERFACE ${links})
endfunction()

add_library(tessaril_fmt INTERFACE)
find_package(fmt CONFIG QUIET)
# The package's header-only target where it has one: then every build compiles
# the same {fmt} code into the plugin, and the sanitizer and fuzz builds
# instrument it like our own.
if(TARGET fmt::fmt-header-only)
  message(STATUS "{fmt} ${fmt_VERSION}, header-only: ${fmt_DIR}")
  target_link_libraries(tessaril_fmt INTERFACE fmt::fmt-header-only)
elseif(fmt_FOUND)
  message(STATUS "{fmt} ${fmt_VERSION}: ${fmt_DIR}")
  target_link_libraries(tessaril_fmt INTERFACE fmt::fmt)
else()
  tessaril_debian_headers(tessaril_fmt fmt)
  target_compile_definitions(tessaril_fmt INTERFACE FMT_HEADER_ONLY=1)
endif()

add_library(tessaril_spdlog INTERFACE)
find_package(spdlog CONFIG QUIET)
if(spdlog_FOUND)
  message(STATUS "spdlog ${spdlog_VERSION}: ${spdlog_DIR}")
  target_link_libraries(tessaril_spdlog INTERFACE spdlog::spdlog)
else()
  tessaril_debian_headers(tessaril_spdlog spdlog)
  target_link_libraries(tessaril_spdlog INTERFACE tessaril_fmt)
  target_compile_definitions(tessaril_spdlog INTERFACE SPDLOG_HEADER_ONLY SPDLOG_FMT_EXTERNAL)
endif()

if(TESSARIL_BUILD_TESTS)
  find_package(GTest CONFIG QUIET)
  if(GTest_FOUND)
    message(STATUS "GoogleTest ${GTest_VERSION}: ${GTest_DIR}")
  else()
    set(TESSARIL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources, where no GoogleTest package is found")
    message(STATUS "GoogleTest: built from ${TESSARIL_GOOGLETEST_SOURCE}")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${TESSARIL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
endif()

# The Windows builds time themselves (bench/windows): no Google Benchmark there.
if(TESSARIL_BUILD_BENCHMARKS AND NOT WIN32)
  find_package(benchmark CONFIG REQUIRED)
endif()
