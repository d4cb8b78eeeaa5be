# 32-bit Linux with g++ -m32 (Debian g++-multilib).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# SSE2 arithmetic: the x87 default keeps float intermediates in extended
# precision, so single-precision scaling could round differently than on x64.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

# ctest runs the programs natively where the kernel runs 32-bit programs (not
# every x86_64 kernel has IA32 emulation), else under qemu-i386 (Debian
# qemu-user). A tiny -m32 program decides; TESSARIL_I386_EMULATOR overrides.
if(NOT DEFINED TESSARIL_I386_EMULATOR)
  set(probe ${CMAKE_BINARY_DIR}/runs-i386-programs)
  file(WRITE ${probe}.c "int main(void) { return 0; }\n")
  execute_process(COMMAND gcc -m32 -o ${probe} ${probe}.c RESULT_VARIABLE built OUTPUT_QUIET ERROR_QUIET)
  set(ran 1)
  if(built EQUAL 0)
    execute_process(COMMAND ${probe} RESULT_VARIABLE ran OUTPUT_QUIET ERROR_QUIET)
  endif()
  if(ran EQUAL 0)
    set(TESSARIL_I386_EMULATOR "" CACHE STRING "Runs the i386 test programs (empty: natively)")
  else()
    set(TESSARIL_I386_EMULATOR qemu-i386 CACHE STRING "Runs the i386 test programs (empty: natively)")
  endif()
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSARIL_I386_EMULATOR})
