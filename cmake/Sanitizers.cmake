# TESSARIL_SANITIZE: the sanitizers every target is compiled and linked with
# ("address,undefined", "thread"), written once here for the presets that use
# them. The undefined-behaviour checks include the float ones, because the
# viewer's coordinates and wheel steps are untrusted floating-point values.
set(TESSARIL_SANITIZE "" CACHE STRING "Sanitizers for every target: address,undefined | thread | empty")
if(TESSARIL_SANITIZE)
  set(checks ${TESSARIL_SANITIZE})
  if(checks MATCHES "undefined")
    string(APPEND checks ",float-cast-overflow,float-divide-by-zero")
  endif()
  add_compile_options(-O1 -g -fno-omit-frame-pointer -fsanitize=${checks} -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${TESSARIL_SANITIZE})
endif()
# libFuzzer's coverage instrumentation for everything the fuzzers link; each
# fuzzer's own link adds -fsanitize=fuzzer (fuzz/CMakeLists.txt).
if(TESSARIL_BUILD_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
