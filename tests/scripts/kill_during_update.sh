#!/usr/bin/env bash
# kill -9 at random points of `update`, `update --complete` and `margin-update`, repeated: every
# price and margin file is afterwards either as it was before the run or as a whole run leaves
# it, never torn; and the input file keeps its name unless the run had finished with it (then
# every file is as the whole run leaves it).
# Usage: kill_during_update.sh KORVALE_CLI [ROUNDS]
set -euo pipefail

cli=$1
rounds=${2:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

"$cli" sample "$work/base" --stocks 40 --years 1 --no-plugin >/dev/null

# "path checksum" of every price and margin file below Data (temporary files of a rewrite that
# was killed are left out: they are not the stock's file).
snapshot() {
  (cd "$1/Data" && find . -type f \( -name 'KD*.KDT' -o -name 'SZ*.SDT' \) -print0 |
    sort -z | xargs -0 -r md5sum)
}

# Whole records only: a price file is a multiple of 26 bytes, a margin file of 12.
check_whole_records() {
  local bad
  bad=$(cd "$1/Data" && find . -type f \( -name 'KD*.KDT' -size +0 \) -printf '%s %p\n' |
        awk '$1 % 26 != 0')
  bad+=$(cd "$1/Data" && find . -type f \( -name 'SZ*.SDT' -size +0 \) -printf '%s %p\n' |
         awk '$1 % 12 != 0')
  # The sample's damaged files end in a piece of a record from the start: one left exactly as
  # it was is not the run's doing.
  local torn="" size path
  while read -r size path; do
    [ -n "$path" ] || continue
    grep -qx "$(cd "$1/Data" && md5sum "$path")" "$work/old.sum" || torn+=" $size $path"
  done <<<"$bad"
  if [ -n "$torn" ]; then echo "torn file in $1:$torn" >&2; return 1; fi
}

failures=0
run_case() {
  local label=$1 input=$2
  shift 2
  local name
  name=$(basename "$input")
  snapshot "$work/base" >"$work/old.sum"
  rm -rf "$work/ref" && cp -a "$work/base" "$work/ref"
  local start end
  start=$(date +%s%N)
  "$cli" "$@" --root "$work/ref" "$work/ref/Import/$name" >/dev/null 2>&1
  end=$(date +%s%N)
  [ -e "$work/ref/Import/_$name" ] || { echo "$label: the whole run did not rename $name" >&2; exit 1; }
  snapshot "$work/ref" >"$work/new.sum"
  local span_ms=$(((end - start) / 1000000 + 1))

  for ((r = 0; r < rounds; r++)); do
    rm -rf "$work/try" && cp -a "$work/base" "$work/try"
    "$cli" "$@" --root "$work/try" "$work/try/Import/$name" >/dev/null 2>&1 &
    local pid=$!
    local delay=$((RANDOM % span_ms))
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    check_whole_records "$work/try" || failures=$((failures + 1))
    snapshot "$work/try" >"$work/try.sum"
    # Each file as before or as after, compared by path (an empty file counts as no file).
    local mixed
    mixed=$(awk -v old="$work/old.sum" -v new="$work/new.sum" '
      BEGIN {
        while ((getline line < old) > 0) { split(line, f, " "); before[f[2]] = f[1] }
        while ((getline line < new) > 0) { split(line, f, " "); after[f[2]] = f[1] }
        none = "d41d8cd98f00b204e9800998ecf8427e"
      }
      {
        o = ($2 in before) ? before[$2] : none
        n = ($2 in after) ? after[$2] : none
        if ($1 != o && $1 != n) print $2
      }' "$work/try.sum")
    if [ -n "$mixed" ]; then
      echo "$label round $r (killed after ${delay} ms): neither old nor new: $mixed" >&2
      failures=$((failures + 1))
    fi
    if [ -e "$work/try/Import/_$name" ]; then
      if ! cmp -s "$work/try.sum" "$work/new.sum"; then
        echo "$label round $r: $name was renamed before every record was written" >&2
        failures=$((failures + 1))
      fi
    elif [ ! -e "$work/try/Import/$name" ]; then
      echo "$label round $r: $name is gone" >&2
      failures=$((failures + 1))
    fi
  done
}

daily=$(cd "$work/base/Import" && ls DS*.DAT | sort | tail -1)
margin=$(cd "$work/base/Import" && ls SZ* | head -1)
run_case "update" "$daily" update
run_case "update --complete" "$daily" update --complete
run_case "margin-update" "$margin" margin-update

if [ "$failures" -ne 0 ]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "kill -9 during the updates: every file old or new, $((rounds * 3)) runs"
