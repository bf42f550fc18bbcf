#!/usr/bin/env bash
# Installs the generator's one package (from the lock file) when missing, then checks that the
# committed table is what the generator computes. Where node or the package cannot be had, the
# check is skipped with a message and exit status 77, which ctest reports as skipped.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "check skipped: $1"; exit 77; }
command -v node >/dev/null || skip "node is not installed (apt-get install nodejs npm)"
if [[ ! -f "$here/node_modules/astronomy-engine/package.json" ]]; then
  command -v npm >/dev/null || skip "npm is not installed, so astronomy-engine cannot be fetched"
  (cd "$here" && timeout 300 npm ci --silent --no-audit --no-fund >/dev/null 2>&1) ||
    skip "astronomy-engine could not be installed (no access to the npm registry?)"
fi
exec node "$here/generate.mjs" --check "$here/../../data/lunisolar-months.txt"
