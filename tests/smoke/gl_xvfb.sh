#!/usr/bin/env bash
# Runs the GL window's tests in a virtual X server with Mesa's software GL, so the real GL
# path is drawn. The tests skip themselves where no GL context can be made.
set -euo pipefail
exe=$(readlink -f "$1")
shift
export QT_QPA_PLATFORM=xcb
export LIBGL_ALWAYS_SOFTWARE=1
# Mesa's driver keeps allocations for the life of the process; leak checking stays with the
# offscreen runs.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
exec timeout 80 xvfb-run -a -s "-screen 0 640x480x24" "$exe" "$@"
