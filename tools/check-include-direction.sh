#!/usr/bin/env bash
# Fails when an include runs against the program's layering at its root: the application shell
# (app/) is built under the views, the membrane views and the dialogs, which the program
# (program/) installs into it at start; the computing membrane family (membrane/) includes no
# window code; nothing but the program's walk tools (tools/) includes the program.
set -euo pipefail
cd "$(dirname "$0")/.."
inc='^[[:space:]]*#[[:space:]]*include[[:space:]]*"'
hits=$( (grep -rnE "${inc}(views|dialogs|program)/" app || true;
         grep -rnE "${inc}(app|charts|dialogs|platform|views|program)/" membrane || true;
         grep -rnE "${inc}program/" --include='*.h' --include='*.cpp' . \
           | grep -vE '^\./(program|tools|build[^/]*)/' || true) )
if [ -n "$hits" ]; then
  echo "Includes against the layering:"
  echo "$hits"
  exit 1
fi
echo "Includes run one way at the program's root"
