# Sourced by the build, lint and fuzz scripts: where each build tree lives and
# how it is configured, in one place. Needs $root (the repository).
build=${QUILLORA_BUILD_DIR:-$root/build}

# Configures the tree named $1 (win, native, asan or lint) under $build once;
# a tree that is configured already is left as it is.
configure_tree() {
  local name=$1 args=()
  case $name in
    win) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
               -DQUILLORA_PCRE2_SOURCE_DIR="$build/_deps/pcre2"
               -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh") ;;
    native) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    # The sanitizers' tree: the unit tests, the fuzz targets (clang and
    # libFuzzer) and the benchmarks on one compile of the core.
    # The lint tree is the sanitizers' configured apart and never built:
    # clang-tidy needs only its compile commands, and can read them while
    # the asan tree builds.
    asan | lint) args=(-DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_FUZZ=ON
                       -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "configure_tree: no tree named $name" >&2; return 2 ;;
  esac
  # A tree configured with other settings (an older asan tree of GCC, say)
  # is made anew: a compiler cannot be changed in place.
  local settings="${args[*]}"
  if [ -f "$build/$name/CMakeCache.txt" ] && [ "$(cat "$build/$name/quillora-settings" 2>/dev/null)" != "$settings" ]; then
    rm -rf "${build:?}/$name"
  fi
  [ -f "$build/$name/CMakeCache.txt" ] || cmake -S "$root" -B "$build/$name" -Wno-dev "${args[@]}" >/dev/null
  echo "$settings" >"$build/$name/quillora-settings"
}
