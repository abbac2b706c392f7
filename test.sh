#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer and runs them all;
# `./test.sh release` builds and runs them in an optimised build without the sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

JOBS=${JOBS:-$(nproc)}
if [ "${1:-}" = release ]; then
  # Warnings are errors in the sanitizer build only: GCC 12 at -O3 reports false overlaps in
  # std::string (-Wrestrict) that the code cannot avoid.
  BUILD_DIR=${BUILD_DIR:-build/test-release}
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQV_SANITIZE=OFF -DQV_TESTS=ON -DQV_BENCH=ON -DQV_WERROR=OFF >/dev/null
else
  BUILD_DIR=${BUILD_DIR:-build/test}
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1" \
    -DQV_SANITIZE=ON -DQV_TESTS=ON -DQV_BENCH=ON -DQV_WERROR=ON >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$JOBS"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export QT_QPA_PLATFORM=offscreen
# Each test program gives itself settings and data folders of its own (tests/support/TestMain.cpp),
# as the window smoke test does, so that what runs of the program left in the home folder (a
# catalogue, "Quarvish.ini") cannot change what they see, under this script or plain ctest.
cd "$BUILD_DIR"
# Progress as one dot per passing test; a failing test's output and the closing summary
# ("100% tests passed, 0 tests failed out of N") are printed in full.
ctest --output-on-failure -j "$JOBS" --timeout 120 | awk '
  /^ *Start +[0-9]+: / { next }
  /Test +#[0-9]+: .* Passed +[0-9.]+ sec$/ {
    printf "."; if (++dots % 100 == 0) printf "\n"; fflush(); next
  }
  { if (dots % 100) { printf "\n"; dots = 0 } print; fflush() }'
