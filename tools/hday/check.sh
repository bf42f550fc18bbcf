#!/usr/bin/env bash
# Installs the checker's one package (from the lock file) when missing, then runs the check.
#   tools/hday/check.sh path/to/korvane [FROM TO]
# Where node or the package cannot be had (no node, no registry), the check is skipped with a
# message and exit status 77, which ctest reports as skipped.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "check skipped: $1"; exit 77; }
command -v node >/dev/null || skip "node is not installed (apt-get install nodejs npm)"
if [[ ! -f "$here/node_modules/@holiday-jp/holiday_jp/package.json" ]]; then
  command -v npm >/dev/null || skip "npm is not installed, so @holiday-jp/holiday_jp cannot be fetched"
  (cd "$here" && timeout 300 npm ci --silent --no-audit --no-fund >/dev/null 2>&1) ||
    skip "@holiday-jp/holiday_jp could not be installed (no access to the npm registry?)"
fi
exec node "$here/check.mjs" "$@"
