#!/usr/bin/env bash
# Fails when a Qt header is included anywhere but in the window layer (platform/), tests and
# benchmarks included: the rest of the program reaches Qt only through the layer.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' \
         --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' . \
       | grep -vE '^\./(platform|build[^/]*)/' || true)
if [ -n "$hits" ]; then
  echo "Qt headers included outside platform/:"
  echo "$hits"
  exit 1
fi
echo "Qt headers only in platform/"
