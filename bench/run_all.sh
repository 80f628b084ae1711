#!/usr/bin/env bash
# Runs every benchmark program in turn: perft and the core routines, the
# evaluation, the timing tests of the test menu, and the search.
#
#   bench/run_all.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
for programm in galdrik-bench galdrik-eval-bench galdrik-speedtest-bench galdrik-search-bench \
  galdrik-figurenliste-bench galdrik-tbindex-bench galdrik-tbindex6-bench; do
  echo "== $programm"
  "$build/bench/$programm"
  echo
done
