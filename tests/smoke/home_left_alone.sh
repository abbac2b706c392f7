#!/usr/bin/env bash
# A machine where the program has run: a catalogue in the home folder's data folder and a
# "Quarvish.ini" with a recent file in its settings folder, the XDG variables unset. A test that
# starts the program, run with HOME there, still sees a fresh start (its catalogues written
# beside the program), and the home folder is left as it was.
set -euo pipefail
exe=$(readlink -f "$1")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.local/share/quarvish" "$home/.config/quarvish"
printf '// a catalogue of a run of the program\n10M  11.3  100\n' > "$home/.local/share/quarvish/rebar.dat"
printf '[Recent%%20Files]\nFile1=%s/girder.qvh\n' "$home" > "$home/.config/quarvish/Quarvish.ini"
before=$(cd "$home" && find . -type f -exec md5sum {} + | sort)
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" \
  "$exe" --gtest_filter='StartedShellTest.StartsOnANewSectionWithItsCataloguesBesideTheProgram'
after=$(cd "$home" && find . -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || { echo "the home folder changed:"; diff <(echo "$before") <(echo "$after"); exit 1; }
