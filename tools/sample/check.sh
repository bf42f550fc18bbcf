#!/usr/bin/env bash
# The shipped sample files are exactly what the generator writes.
#   tools/sample/check.sh DATA_FOLDER
# Skipped (exit 77) where python3 is not installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v python3 >/dev/null || { echo "check skipped: python3 is not installed"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$here/gen_sample.py" "$out"
status=0
for f in "$out"/*; do
  name=$(basename "$f")
  if ! cmp -s "$f" "$1/$name"; then
    echo "$name differs from what tools/sample/gen_sample.py writes"
    status=1
  fi
done
shipped=$(cd "$1" && ls -- *.smp | wc -l)
made=$(ls "$out" | wc -l)
[[ $shipped -eq $made ]] || { echo "$shipped .smp files shipped, the generator writes $made"; status=1; }
exit $status
