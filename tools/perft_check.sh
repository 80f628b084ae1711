#!/usr/bin/env bash
# Runs galdrik-perft and checks its exit code and its last line.
#   perft_check.sh BINARY FEN DEPTH EXPECTED [OPTIONS...]
set -euo pipefail
binary=$1 fen=$2 depth=$3 expected=$4
shift 4
output=$("$binary" "$fen" "$depth" "$@")
last=$(printf '%s\n' "$output" | tail -n 1)
if [ "$last" != "$expected" ]; then
  printf '%s\n' "$output"
  echo "expected $expected leaves, got $last" >&2
  exit 1
fi
echo "perft $depth = $last as expected"
