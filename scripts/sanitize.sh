#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $KIRIVANE_ASAN_BUILD_DIR) and runs all of it: any memory error, undefined
# behaviour or leak fails the test that caused it. Run before every submission (README.md).
# The libFuzzer targets are left out: they are built with the sanitizers by fuzz_test.sh already,
# with clang, whose sanitizer runtime cannot link with this g++ build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KIRIVANE_ASAN_BUILD_DIR:-$root/build-asan}
bash "$root/scripts/setup.sh"

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" \
  -DCMAKE_MODULE_LINKER_FLAGS="$sanitizers" -DKIRIVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

# Leaks inside system libraries that the program cannot free are listed, each with its reason,
# in lsan.supp; nothing of the program's own is. Every report also goes to a file in
# sanitizer-logs/, so that one from a program an end-to-end test starts (and whose exit status
# or output the test may not look at) fails the run too.
logs="$build/sanitizer-logs"
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=0:log_path=$logs/asan${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$logs/ubsan"
cd "$build"
tests=(ctest --output-on-failure --timeout 900 -j "$(nproc)" -E '^fuzz_test$')
if [[ -z "${DISPLAY:-}" ]]; then
  tests=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${tests[@]}")
fi
status=0
"${tests[@]}" || status=$?
if compgen -G "$logs/*" >/dev/null; then
  echo "sanitizer reports:" >&2
  cat "$logs"/* >&2
  status=1
fi
exit $status
