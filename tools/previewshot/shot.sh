#!/usr/bin/env bash
# A screenshot of the program's print preview under Xvfb.
#   tools/previewshot/shot.sh <build folder with qv_previewshot> <output folder>
set -euo pipefail
exe=$(readlink -f "$1/tests/qv_previewshot")
prog=$(readlink -f "$1")
out=$(mkdir -p "$2" && readlink -f "$2")
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  QT_QPA_PLATFORM=xcb '$exe' '$prog' '$out' 4 > '$out/preview.log' 2>&1 &
  pid=\$!; sleep 3; import -window root '$out/preview.png'; wait \$pid"
ls "$out"
