#!/usr/bin/env bash
# Fails when the program's code converts numbers to or from text with the C library's own
# conversions, which follow the language setting ("0,5" in German): every number the program
# writes, reads, shows or takes goes through the foundation's conversions with the decimal point
# (foundation/DecimalPoint.h, StrPrintf, TypedNumber, the document readers' number readers).
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=(foundation model analysis files app charts views dialogs member membrane platform program resources)
hits=$(grep -rnE '(^|[^A-Za-z0-9_])(std::)?(v?s?n?printf|v?f?printf|v?s?scanf|v?f?scanf|strto(d|f|ld)|atof|sto(d|f|ld))[[:space:]]*\(' \
         --include='*.h' --include='*.cpp' "${dirs[@]}" \
       | grep -vE '^foundation/DecimalPoint\.cpp:' || true)
if [ -n "$hits" ]; then
  echo "numbers converted by the C library outside foundation/DecimalPoint.cpp:"
  echo "$hits"
  exit 1
fi
echo "numbers converted with the decimal point"
