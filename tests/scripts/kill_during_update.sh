#!/usr/bin/env bash
# kill -9 at random points of `update`, `update --complete`, `margin-update` and the maintenance
# batches (date removal, bulk import, bulk export), repeated: every price and margin file, and a
# bulk file the export writes, is afterwards either as it was before the run or as a whole run
# leaves it, never torn; and an update's input file keeps its name unless the run had finished
# with it (then every file is as the whole run leaves it).
# Usage: kill_during_update.sh KORVALE_CLI [ROUNDS]
set -euo pipefail

cli=$1
rounds=${2:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

"$cli" sample "$work/base" --stocks 40 --years 1 --no-plugin >/dev/null

# "path checksum" of every price and margin file below Data and of the bulk files in the root
# (temporary files of a rewrite that was killed are left out: they are not the file).
snapshot() {
  (cd "$1" && { find Data -type f \( -name 'KD*.KDT' -o -name 'SZ*.SDT' \) -print0
                find . -maxdepth 1 -type f -name '株価*' ! -name '*.tmp-*' -print0; } |
    sort -z | xargs -0 -r md5sum)
}

# Whole records only: a price file is a multiple of 26 bytes, a margin file of 12.
check_whole_records() {
  local bad
  bad=$(cd "$1" && find Data -type f \( -name 'KD*.KDT' -size +0 \) -printf '%s %p\n' |
        awk '$1 % 26 != 0')
  bad+=$(cd "$1" && find Data -type f \( -name 'SZ*.SDT' -size +0 \) -printf '%s %p\n' |
         awk '$1 % 12 != 0')
  # The sample's damaged files end in a piece of a record from the start: one left exactly as
  # it was is not the run's doing.
  local torn="" size path
  while read -r size path; do
    [ -n "$path" ] || continue
    grep -qx "$(cd "$1" && md5sum "$path")" "$work/old.sum" || torn+=" $size $path"
  done <<<"$bad"
  if [ -n "$torn" ]; then echo "torn file in $1:$torn" >&2; return 1; fi
}

failures=0
# run_case LABEL INPUT RENAMES COMMAND...: INPUT is a file of Import/ given after the command,
# or "-" for none; RENAMES is "renames" when the command marks its input done by renaming it.
run_case() {
  local label=$1 input=$2 renames=$3
  shift 3
  local name="" args=()
  if [ "$input" != "-" ]; then name=$(basename "$input"); fi
  # The input's path in a root, when there is one.
  input_in() { if [ -n "$name" ]; then echo "$1/Import/$name"; fi; }
  snapshot "$work/base" >"$work/old.sum"
  rm -rf "$work/ref" && cp -a "$work/base" "$work/ref"
  local start end
  start=$(date +%s%N)
  "$cli" "$@" --root "$work/ref" $(input_in "$work/ref") >/dev/null 2>&1
  end=$(date +%s%N)
  if [ "$renames" = renames ] && [ ! -e "$work/ref/Import/_$name" ]; then
    echo "$label: the whole run did not rename $name" >&2
    exit 1
  fi
  snapshot "$work/ref" >"$work/new.sum"
  if cmp -s "$work/old.sum" "$work/new.sum"; then
    echo "$label: the whole run changed nothing, so killing it shows nothing" >&2
    exit 1
  fi
  local span_ms=$(((end - start) / 1000000 + 1))

  for ((r = 0; r < rounds; r++)); do
    rm -rf "$work/try" && cp -a "$work/base" "$work/try"
    "$cli" "$@" --root "$work/try" $(input_in "$work/try") >/dev/null 2>&1 &
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
    [ "$renames" = renames ] || continue
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
run_case "update" "$daily" renames update
run_case "update --complete" "$daily" renames update --complete
run_case "margin-update" "$margin" renames margin-update
run_case "delete-date --price" - keeps delete-date --price 2025-11
run_case "delete-date --margin" - keeps delete-date --margin 2025-11
run_case "export" - keeps export
# A bulk file of the whole sample, read back over it with merging.
"$cli" export --root "$work/base" -o "$work/base/Import/bulk.txt" >/dev/null 2>&1
run_case "import --complete" "bulk.txt" keeps import --complete

if [ "$failures" -ne 0 ]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "kill -9 during the updates and the maintenance batches: every file old or new, $((rounds * 7)) runs"
