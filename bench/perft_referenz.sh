#!/usr/bin/env bash
# Perft with bulk counting beside a reference engine's perft, run in turns on
# the same machine: the initial position to depth 6 and Kiwipete to depth 5.
# Prints the best wall-clock time of each side over the rounds and our speed
# as a fraction of the reference's. The reference is any UCI engine with a
# "go perft" command (Debian's stockfish package, for example), used only as
# a black box; its start-up time is measured with "go perft 1" and taken off.
#
#   bench/perft_referenz.sh [BUILD_DIR] [ROUNDS] [REFERENCE]
#   (defaults: build, 5, /usr/games/stockfish)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
runden="${2:-5}"
referenz="${3:-/usr/games/stockfish}"
perft="$build/tools/galdrik-perft"
[ -x "$perft" ] || { echo "no $perft" >&2; exit 1; }
[ -x "$referenz" ] || { echo "no reference engine at $referenz" >&2; exit 1; }

jetzt() { date +%s.%N; }
rechne() { awk "BEGIN { printf \"%.6f\", $1 }"; }
dauer() { rechne "$2 - $1"; }
kleiner() { awk "BEGIN { print ($1 < $2) ? 1 : 0 }"; }

# Seconds of one reference run; its node count must be the expected one.
ref_lauf() {
  local a b ausgabe
  a=$(jetzt)
  ausgabe=$(printf 'position %s\ngo perft %s\nquit\n' "$1" "$2" | "$referenz" 2>/dev/null)
  b=$(jetzt)
  if [ -n "${3:-}" ] && ! grep -q "Nodes searched: $3" <<<"$ausgabe"; then
    echo "reference: unexpected node count for $1 depth $2" >&2
    exit 1
  fi
  dauer "$a" "$b"
}

# Seconds of one run of ours, from the line the tool prints.
eigener_lauf() {
  local ausgabe
  ausgabe=$("$perft" "$1" "$2" --bulk 2>&1)
  if [ "$(tail -1 <<<"$ausgabe")" != "$3" ]; then
    echo "galdrik-perft: unexpected node count for $1 depth $2" >&2
    exit 1
  fi
  grep -o '^[0-9.]* s' <<<"$ausgabe" | cut -d' ' -f1
}

start_fen="rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"
kiwi_fen="r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"
faelle=("initial position|$start_fen|6|119060324" "Kiwipete|$kiwi_fen|5|193690690")

for fall in "${faelle[@]}"; do
  IFS='|' read -r name fen tiefe knoten <<<"$fall"
  best_eigen=1000000 best_ref=1000000 best_leer=1000000
  for ((i = 0; i < runden; ++i)); do
    t=$(eigener_lauf "$fen" "$tiefe" "$knoten")
    [ "$(kleiner "$t" "$best_eigen")" = 1 ] && best_eigen=$t
    t=$(ref_lauf "fen $fen" "$tiefe" "$knoten")
    [ "$(kleiner "$t" "$best_ref")" = 1 ] && best_ref=$t
    t=$(ref_lauf "fen $fen" 1)
    [ "$(kleiner "$t" "$best_leer")" = 1 ] && best_leer=$t
  done
  netto=$(rechne "$best_ref - $best_leer")
  printf '%-16s depth %s: galdrik %.3f s, reference %.3f s (%.3f s less its start-up)\n' \
    "$name" "$tiefe" "$best_eigen" "$best_ref" "$netto"
  printf '%-16s speed against the reference: %.2f (%.2f against its perft alone)\n' \
    "$name" "$(rechne "$best_ref / $best_eigen")" "$(rechne "$netto / $best_eigen")"
done
