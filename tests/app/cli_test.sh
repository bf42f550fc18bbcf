#!/usr/bin/env bash
# The program's exits as a shell sees them: status, standard error, and the --days output.
set -u
korvane=$1
golden=$2
fail=0
check() { if [[ $1 != "$2" ]]; then echo "FAIL: $3: got '$1', want '$2'"; fail=1; fi; }

sum=$("$korvane" --days 1970-01-01 2050-12-31 | sha256sum | cut -d' ' -f1)
check "$sum" "$(cat "$golden")" "--days 1970..2050 output changed"

if [[ -w /dev/full ]]; then
  err=$("$korvane" --days 2026-01-01 2026-12-31 2>&1 >/dev/full); code=$?
  check "$code" 1 "exit when standard output is full"
  [[ $err == korvane:* ]] || { echo "FAIL: no message for the failed write: '$err'"; fail=1; }
  for opt in --help --version; do
    "$korvane" $opt >/dev/full 2>/dev/null; code=$?
    check "$code" 1 "exit of $opt when standard output is full"
  done
fi

out=$("$korvane" --days 1948-03-20 1948-03-22 | cut -f3 | tr '\n' ' ')
check "$out" "2 1 0 " "day kinds of 1948-03-20..22"
# The agenda of a month with the shipped sample data and no settings of the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
agenda() { HOME=$home XDG_CONFIG_HOME=$home/.config "$korvane" --agenda "$@"; }
out=$(agenda 202612); code=$?
check "$code" 0 "exit of --agenda 202612"
if [[ -w /dev/full ]]; then
  agenda 202612 >/dev/full 2>/dev/null
  check "$?" 1 "exit of --agenda when standard output is full"
fi
check "$(grep -c '^2026-12-' <<<"$out")" 31 "day lines of December 2026"
deadline=$(sed -n '/^2026-12-28/,/^2026-12-29/p' <<<"$out" | grep -c $'^\t\[bold\] 請求書 締め切り$')
check "$deadline" 1 "the sample's deadline on 2026-12-28, before the year-end closure"
# The sample office works on working days: no item on a weekend, a public holiday or a day of
# the company's closures.
for y in 2026 2027 2028 2029 2030; do
  for m in 01 02 03 04 05 06 07 08 09 10 11 12; do
    agenda "$y$m" 2>/dev/null
  done
done | awk -F'\t' '
  /^[0-9]/ { day = $1; off[day] = ($2 % 16) != 0; next }
  /^\t\[period\] (年末年始休業|夏季休業)/ { off[day] = 1; next }
  /^\t\[(period|more)\]/ { next }
  /^\t/ { items[day] = items[day] $2 " " }
  END { for (d in items) if (off[d]) print d ": " items[d] }' >"$home/offdays"
check "$(sort "$home/offdays" | head -5)" "" "sample items on days off"
[[ ! -e $home/.config ]] || { echo "FAIL: --agenda made a settings folder"; fail=1; }
err=$(agenda 202612 "/K=$home/" 2>&1 >/dev/null); code=$?
check "$code" 0 "exit of --agenda without a holiday file"
[[ $err == *"$home/Hday.dat"* ]] || { echo "FAIL: a missing holiday file goes unsaid: '$err'"; fail=1; }
for bad in 202613 2026 "202612 /X=1" "000012"; do
  # shellcheck disable=SC2086
  agenda $bad >/dev/null 2>&1; code=$?
  check "$code" 2 "exit of --agenda $bad"
done
# Pictures and uploads need no display either, and never start the window.
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=$home timeout 60 "$korvane" "$@"; }
bare --upload "$golden" --host 127.0.0.1:1 --user kv >/dev/null 2>&1
check "$?" 1 "exit of --upload to a closed port without a display"
bare --picture 202612 --gif "$home/month.gif" >/dev/null 2>&1
check "$?:$(head -c 6 "$home/month.gif")" "0:GIF89a" "--picture without a display"
# Pages into a pipe, into a FIFO, and onto a disk that fills up.
page() { HOME=$home XDG_CONFIG_HOME=$home/.config "$korvane" --print MA4 --month 202612 "$@"; }
if command -v pdfinfo >/dev/null; then
  pages=$(page --pdf - | pdfinfo - | grep -c '^Pages: *1$')
  check "$pages" 1 "--pdf - into pdfinfo"
  mkfifo "$home/fifo"
  timeout 120 cat "$home/fifo" >"$home/read.pdf" &
  page --pdf "$home/fifo"
  wait
  [[ -p $home/fifo ]] || { echo "FAIL: the FIFO was replaced"; fail=1; }
  check "$(pdfinfo "$home/read.pdf" | grep -c '^Pages: *1$')" 1 "the PDF read from the FIFO"
fi
mkdir "$home/full"
# SIGXFSZ ignored: a write past the limit fails as on a full disk instead of ending the program.
err=$(cd "$home/full" && trap '' XFSZ && ulimit -f 20 && page --pdf cut.pdf 2>&1); code=$?
[[ $code != 0 ]] || { echo "FAIL: --pdf on a full disk exits 0"; fail=1; }
[[ $err == *cut.pdf* ]] || { echo "FAIL: no message for the full disk: '$err'"; fail=1; }
check "$(ls -A "$home/full")" "" "files left on the full disk"
# Pictures that cannot be saved are a failure.
HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen \
  "$korvane" --screenshot /proc/korvane-shots >/dev/null 2>&1; code=$?
check "$code" 1 "exit of --screenshot into a folder that cannot be made"
exit $fail
