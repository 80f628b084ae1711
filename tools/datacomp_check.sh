#!/usr/bin/env bash
# Compresses a file with galdrik-datacomp, decodes it again and compares,
# as a user of the tool would run it.
#   datacomp_check.sh BINARY INPUT
set -euo pipefail
binary=$1 input=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$binary" "$input" "$work/packed.emd"
"$binary" -d "$work/packed.emd" "$work/unpacked"
cmp "$input" "$work/unpacked"
if "$binary" -d "$input" "$work/bad" 2>/dev/null; then
  echo "decoding a file that is not compressed succeeded" >&2
  exit 1
fi
[ ! -e "$work/bad" ] || { echo "a failed run left its output" >&2; exit 1; }
echo "round trip of $input: $(stat -c %s "$input") -> $(stat -c %s "$work/packed.emd") bytes"
