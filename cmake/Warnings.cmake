# Warnings every target of ours compiles with; third-party code is left alone.
# Errors in the presets (and so in the test command); a release built with a
# newer compiler, which may warn about more, is not stopped by them.
option(TESSARIL_WARNINGS_AS_ERRORS "Turn the warnings of our own code into errors (the presets set it)" OFF)
add_library(tessaril_warnings INTERFACE)
target_compile_options(tessaril_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  $<$<BOOL:${TESSARIL_WARNINGS_AS_ERRORS}>:-Werror>)
# GCC 12 takes some std::string concatenations for overlapping memcpy calls at
# -O2 and above (GCC bug 105329), which the Debug builds never reach.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(tessaril_warnings INTERFACE
    $<$<AND:$<COMPILE_LANGUAGE:CXX>,$<NOT:$<CONFIG:Debug>>>:-Wno-restrict>)
endif()
