#!/usr/bin/env bash
# Installs the checker's one package (from the lock file) when missing, then runs the check.
#   tools/hday/check.sh path/to/korvane [FROM TO]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ ! -f "$here/node_modules/@holiday-jp/holiday_jp/package.json" ]]; then
  (cd "$here" && timeout 300 npm ci --silent --no-audit --no-fund >/dev/null)
fi
exec node "$here/check.mjs" "$@"
