#!/usr/bin/env bash
# The program's exits as a shell sees them: status, standard error, and the --days output.
set -u
korvane=$1
golden=$2
fail=0
check() { if [[ $1 != "$2" ]]; then echo "FAIL: $3: got '$1', want '$2'"; fail=1; fi; }

sum=$("$korvane" --days 1970-01-01 2050-12-31 | sha256sum | cut -d' ' -f1)
check "$sum" "$(cat "$golden")" "--days 1970..2050 output changed"

err=$("$korvane" --days 1382-10-05 1382-10-20 2>&1 >/dev/null); code=$?
check "$code" 2 "exit of a range whose limit is in the reform gap"
check "$(printf '%s\n' "$err" | wc -l)" 1 "lines on stderr"

if [[ -w /dev/full ]]; then
  err=$("$korvane" --days 2026-01-01 2026-12-31 2>&1 >/dev/full); code=$?
  check "$code" 1 "exit when standard output is full"
  [[ $err == korvane:* ]] || { echo "FAIL: no message for the failed write: '$err'"; fail=1; }
fi

out=$("$korvane" --days 1948-03-20 1948-03-22 | cut -f3 | tr '\n' ' ')
check "$out" "2 1 0 " "day kinds of 1948-03-20..22"
exit $fail
