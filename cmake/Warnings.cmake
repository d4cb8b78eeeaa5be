# Warnings every target of ours compiles with; third-party code is left alone.
add_library(tessaril_warnings INTERFACE)
target_compile_options(tessaril_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
