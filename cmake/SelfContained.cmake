# tessaril_self_contained(<target>)
#
# A DLL that we ship must load on a bare Windows: it may import system DLLs and
# our own libraries only, so the GCC runtimes and winpthread go inside it.
function(tessaril_self_contained target)
  if(NOT WIN32)
    return()
  endif()
  set_target_properties(${target} PROPERTIES PREFIX "")
  target_link_options(${target} PRIVATE
    -static-libgcc -static-libstdc++
    "SHELL:-Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic")
endfunction()
