#!/usr/bin/env bash
# A machine where the program has run, as a developer starts a test there: a catalogue in the
# home folder's data folder, a "Quarvish.ini" with a recent file in its settings folder and a
# cache folder with a file of its own; no XDG variables, no Qt platform named and no display.
# The tests that start the program (the first program given), run with HOME there, start (the
# test program chooses Qt's offscreen platform itself) and each sees a fresh start (its
# catalogues written beside the program). With a second program (the charts' tests) and a
# virtual X server, its GL window's tests run there on the X server through Mesa, which
# writes shader caches where it is let. The home folder, its cache folder included, is left as
# it was: no file or folder added, changed or taken away.
set -euo pipefail
exe=$(readlink -f "$1")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.local/share/quarvish" "$home/.config/quarvish" "$home/.cache/fontconfig"
printf '// a catalogue of a run of the program\n10M  11.3  100\n' > "$home/.local/share/quarvish/rebar.dat"
printf '[Recent%%20Files]\nFile1=%s/girder.qvh\n' "$home" > "$home/.config/quarvish/Quarvish.ini"
printf 'a cache file of another program\n' > "$home/.cache/fontconfig/other"
state() { (cd "$home" && find . -printf '%y %p\n' | sort && find . -type f -exec md5sum {} + | sort); }
before=$(state)
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
  -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME HOME="$home" \
  "$exe" --gtest_filter='StartedShellTest.*'
if [ -n "${2:-}" ] && command -v xvfb-run >/dev/null; then
  charts=$(readlink -f "$2")
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME \
    -u XDG_STATE_HOME HOME="$home" QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    timeout 80 xvfb-run -a -s "-screen 0 640x480x24" "$charts" --gtest_filter='GLLive.*'
fi
after=$(state)
[ "$before" = "$after" ] || { echo "the home folder changed:"; diff <(echo "$before") <(echo "$after"); exit 1; }
