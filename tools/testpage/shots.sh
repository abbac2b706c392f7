#!/usr/bin/env bash
# Screenshots of the drawing layer for looking at: the test page through every device at
# scale factors 1 and 2 (window with its print preview), and the printed PDF as a picture.
#   tools/testpage/shots.sh <build folder with qv_testpage> <output folder>
set -euo pipefail
exe=$(readlink -f "$1/tests/qv_testpage")
out=$(mkdir -p "$2" && readlink -f "$2")
for sf in 1 2; do
  xvfb-run -a -s "-screen 0 2560x1600x24" bash -c "
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$sf '$exe' '$out' --show 4 > '$out/show$sf.log' 2>&1 &
    pid=\$!; sleep 3; import -window root '$out/window-x$sf.png'; wait \$pid"
done
pdftoppm -png -r 100 "$out/printed.pdf" "$out/printed"
ls "$out"
