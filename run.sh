#!/usr/bin/env bash
# Builds the program in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/ensure-packages.sh "${BUILD_PACKAGES[@]}"

BUILD_DIR=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_TESTS=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

if [ -x "$BUILD_DIR/quarvish" ]; then
  exec "$BUILD_DIR/quarvish" "$@"
fi
echo "Built the computing libraries; the main window is not part of this build yet."
