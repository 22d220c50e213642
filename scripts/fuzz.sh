#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build/fuzz and runs each one for a
# bounded time, starting from the seed corpus in fuzz/corpus/<target>. Exits non-zero on any finding;
# the input that broke a target is left in build/fuzz/findings/.
#   FUZZ_SECONDS  run time per target (default 60)
#   FUZZ_RUNS     executions per target instead of a run time (for a long run of a fixed size)
#   FUZZ_JOBS     build jobs (default 2)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
seconds="${FUZZ_SECONDS:-60}"
jobs="${FUZZ_JOBS:-2}"
targets=(settings history)

for tool in clang clang++; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool not found (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }
done

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRUNE_FUZZ=ON -DKESTRUNE_TESTS=OFF -DKESTRUNE_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]/%/_fuzz}"

mkdir -p "$build/findings"
limit=(-max_total_time="$seconds") length="${seconds}s"
[[ -n "${FUZZ_RUNS:-}" ]] && limit=(-runs="$FUZZ_RUNS") length="$FUZZ_RUNS executions"
status=0
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== $target: $length"
  dict=()
  [[ -f "$root/fuzz/$target.dict" ]] && dict=(-dict="$root/fuzz/$target.dict")
  # New inputs go to the work corpus; the seeds in the repository are only read.
  if ! "$build/fuzz/${target}_fuzz" "$work" "$root/fuzz/corpus/$target" "${dict[@]}" \
      "${limit[@]}" -max_len=16384 -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="$build/findings/${target}-" -print_final_stats=1; then
    echo "fuzz.sh: $target found a failing input (see $build/findings)" >&2
    status=1
  fi
done
exit "$status"
