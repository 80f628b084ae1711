#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang into build-fuzz and
# runs every one for a bounded time, several side by side. Seeds come from
# tests/data/fuzz/<name>/ when that folder exists; the corpus grows in a
# fresh scratch folder outside the source tree. Fails when a target finds a
# crash, a leak or undefined behaviour.
#
#   FUZZ_SECONDS  time per target (default 45)
#   FUZZ_JOBS     targets run at once (default 4)
#   FUZZ_ONLY     run only the targets whose name matches this pattern
set -euo pipefail
cd "$(dirname "$0")/.."
quelle=$PWD
sekunden="${FUZZ_SECONDS:-45}"
parallel="${FUZZ_JOBS:-4}"
nur="${FUZZ_ONLY:-}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DGALDRIK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "${FUZZ_BUILD_JOBS:-$(nproc)}" --target galdrik_fuzz

kratzer=$(mktemp -d "${TMPDIR:-/tmp}/galdrik-fuzz.XXXXXX")
trap 'rm -rf "$kratzer"' EXIT
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export TMPDIR="$kratzer"

ziele=()
for programm in build-fuzz/fuzz/*_fuzz; do
  [ -x "$programm" ] || continue
  name=$(basename "$programm")
  [ -n "$nur" ] && [[ ! "$name" =~ $nur ]] && continue
  ziele+=("$name")
done
[ ${#ziele[@]} -gt 0 ] || { echo "no fuzz targets built" >&2; exit 1; }

# One target: its own corpus folder, the seeds beside it, its log and any
# crash input in the scratch folder.
einLauf() {
  local name=$1 samen="$quelle/tests/data/fuzz/${1%_fuzz}"
  local korpus="$kratzer/$name/korpus" fund="$kratzer/$name/fund"
  mkdir -p "$korpus" "$fund"
  local ordner=("$korpus")
  [ -d "$samen" ] && ordner+=("$samen")
  if "$quelle/build-fuzz/fuzz/$name" -max_total_time="$sekunden" -timeout=30 \
      -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$fund/" \
      "${ordner[@]}" >"$kratzer/$name/log" 2>&1; then
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$kratzer/$name/log" |
      grep -o '[0-9]*$') runs, nothing found"
  else
    echo "$name: FOUND A FAULT" >&2
    # From the first report of a sanitizer or of the target itself on.
    grep -n -m1 -E '^==[0-9]+==|runtime error|^step ' "$kratzer/$name/log" >/dev/null &&
      sed -n -E '/^==[0-9]+==|runtime error|^step /,$p' "$kratzer/$name/log" | head -n 80 >&2 ||
      tail -n 40 "$kratzer/$name/log" >&2
    for f in "$fund"/*; do
      [ -f "$f" ] && echo "input, base64: $(base64 -w0 "$f" | head -c 4000)" >&2
    done
    return 1
  fi
}
export -f einLauf
export quelle sekunden kratzer

printf '%s\n' "${ziele[@]}" | xargs -P "$parallel" -I{} bash -c 'einLauf {}'
