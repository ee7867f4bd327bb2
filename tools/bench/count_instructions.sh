#!/usr/bin/env bash
# Instructions per rejected editor event: callgrind counts what
# ProcessEditorInput executes (itself and all it calls) over N events.
set -euo pipefail
exe=${1:?usage: count_instructions.sh path/to/rejected_path [N]}
n=${2:-1000000}
out=$(mktemp)
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='ProcessEditorInput' \
  "$exe" "$n" >/dev/null 2>&1 || true
total=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
rm -f "$out"
echo "rejected events: $n, instructions: $total, per event: $(awk -v t="$total" -v n="$n" 'BEGIN {printf "%.2f", t / n}')"
