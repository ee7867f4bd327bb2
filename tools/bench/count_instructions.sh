#!/usr/bin/env bash
# Instructions per rejected editor event: callgrind counts what
# ProcessEditorInput executes (itself and all it calls) over N events.
# Fails, saying why, when valgrind or the program fails or nothing is counted.
set -euo pipefail
exe=${1:?usage: count_instructions.sh path/to/rejected_path [N]}
n=${2:-1000000}
out=$(mktemp)
log=$(mktemp)
trap 'rm -f "$out" "$log"' EXIT

fail() {
  echo "count_instructions: $1" >&2
  [ -s "$log" ] && tail -n 20 "$log" >&2
  exit 1
}

valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='ProcessEditorInput' \
  "$exe" "$n" >"$log" 2>&1 || fail "valgrind on $exe $n exited with $?"
annotated=$(callgrind_annotate "$out" 2>"$log") || fail "callgrind_annotate could not read the count"
total=$(awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}' <<<"$annotated")
[[ "$total" =~ ^[0-9]+$ ]] && [ "$total" -gt 0 ] ||
  fail "nothing was counted inside ProcessEditorInput (total '${total}'): was the export renamed or inlined?"
echo "rejected events: $n, instructions: $total, per event: $(awk -v t="$total" -v n="$n" 'BEGIN {printf "%.2f", t / n}')"
