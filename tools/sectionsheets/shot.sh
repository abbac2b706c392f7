#!/usr/bin/env bash
# Screenshots of the section definition dialogs under Xvfb.
#   tools/sectionsheets/shot.sh <build folder with qv_sectionsheets> <output folder> [dialogs...]
set -euo pipefail
exe=$(readlink -f "$1/tests/qv_sectionsheets")
out=$(mkdir -p "$2" && readlink -f "$2")
shift 2
for what in "${@:-basic standard user contin shrink}"; do
  for w in $what; do
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
      QT_QPA_PLATFORM=xcb '$exe' '$w' 4 > '$out/$w.log' 2>&1 &
      pid=\$!; sleep 3; import -window root -crop 900x700+0+0 '$out/$w.png'; wait \$pid"
  done
done
ls "$out"
