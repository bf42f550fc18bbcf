#!/usr/bin/env bash
# Installs the generator's one package (from the lock file) when missing, then checks that the
# committed table is what the generator computes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ ! -f "$here/node_modules/astronomy-engine/package.json" ]]; then
  (cd "$here" && timeout 300 npm ci --silent --no-audit --no-fund >/dev/null)
fi
exec node "$here/generate.mjs" --check "$here/../../data/lunisolar-months.txt"
