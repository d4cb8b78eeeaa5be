# What the tools share; sourced by them, never run. Run from the repository's root.

# Wine's two loaders: the 64-bit one boots the prefix and runs x64 programs, the
# 32-bit one (Debian's wine32:i386) runs the shipped 32-bit DLL under WoW64.
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver64

# The sanitizer runtimes stop at the first report, and LeakSanitizer is on.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# build_preset PRESET LOG [TARGET...]: configures and builds a preset (or just
# those targets), quietly into LOG; on failure shows the end of the log and
# returns 1.
build_preset() {
  local preset=$1 log=$2 targets=()
  shift 2
  [ $# -eq 0 ] || targets=(--target "$@")
  mkdir -p "$(dirname "$log")"
  if { cmake --preset "$preset" && cmake --build --preset "$preset" -j2 "${targets[@]}"; } >"$log" 2>&1; then
    return 0
  fi
  tail -n 40 "$log"
  echo "error: building the $preset preset failed (log: $log)" >&2
  return 1
}

# counts_of FILE: the two numbers of FILE's last "N passed, N failed" line
# ("N N"), or nothing when it has none.
counts_of() {
  grep -E "^[0-9]+ passed, [0-9]+ failed$" "$1" | tail -n 1 | sed -E 's/^([0-9]+) passed, ([0-9]+) failed$/\1 \2/'
}

# runs_32bit_programs: whether this kernel runs 32-bit x86 programs (not every
# x86_64 kernel has IA32 emulation). Wine's 32-bit loader is such a program.
runs_32bit_programs() {
  [ -x "$wine32" ] && "$wine32" --version >/dev/null 2>&1
}
