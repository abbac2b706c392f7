#!/usr/bin/env bash
# End-to-end check of the real program: starts it under a virtual X server in a scratch
# program directory, waits until its window with the caption "Quarvish  -  Newbeam" exists,
# and takes pictures of that window until one is not blank (the check fails when none is).
set -euo pipefail
exe=$(readlink -f "$1")
help_dir=$(readlink -f "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/quarvish"
cp -r "$help_dir" "$work/help"
cd "$work"
# Settings, data and cache folders of its own: what a run of the program left in the home folder
# does not change what this one shows, and this one (Qt, the GL driver, fontconfig) writes
# nothing there.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" \
  XDG_STATE_HOME="$work/state"

export SMOKE_WORK="$work"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -u
  cd "$SMOKE_WORK"
  QT_QPA_PLATFORM=xcb ./quarvish > program.log 2>&1 &
  pid=$!
  id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "^Quarvish  -  Newbeam$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  if [ -z "$id" ]; then
    echo "no window with the caption appeared"; cat program.log; kill "$pid" 2>/dev/null; exit 1
  fi
  # Pictures until one shows the painted window (at most 150): however long the first paint
  # takes, the check is of what the window shows.
  colours=0
  for _ in $(seq 1 150); do
    import -window "$id" shot.png 2>/dev/null || true
    if [ -s shot.png ]; then
      colours=$(convert shot.png -format "%k" info:)
      [ "$colours" -ge 8 ] && break
    fi
    sleep 0.2
  done
  [ -n "${SMOKE_SHOT:-}" ] && cp shot.png "$SMOKE_SHOT"
  size=$(convert shot.png -format "%wx%h" info:)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "window $id: $size, $colours colours"
  [ "$colours" -ge 8 ] || { echo "the window picture is blank"; exit 1; }
'
