#!/usr/bin/env bash
# benefit.sh [--seconds N] [--short N] [--rounds N] [--levels "..."] [--configs "..."] [--control "..."]
#            [--kinds a,b] [--no-docs]
# benefit.sh --report [--no-docs]
# benefit.sh --bridge-smoke
#
# What Kestrune's settings do for the program in front while busy programs run behind it, under
# Wine, with bench/scheduler_bridge.py carrying priority classes to the Linux scheduler as upstream
# Wine does (Debian's Wine keeps them in its server, where they change nothing).
#
# For every background load (--levels: "spare" = one busy thread fewer than cores, "1x", "2x", "4x" =
# that many busy threads per core, in processes of at most one thread per core, plus a canary that
# wakes every millisecond), bench/win32/benefit_probe.exe measures each configuration (--configs):
#   off                Kestrune not running
#   normal             Kestrune, 普通加速 (the front program at high)
#   extreme            Kestrune, 極限加速 (the front program at real-time)
#   normal+restraint   普通加速 and background restraint
#   restraint          restraint alone (acceleration on, the front program in the list it leaves alone)
# and, as the control, the configurations of --control (default "normal") with the bridge only
# watching (every thread at its own nice value), against each kind of front program (--kinds):
#   throughput   one thread working as fast as it can, for --seconds (default 20)
#   responsive   wakes every 1 ms (message wait) and every 16.7 ms (Sleep), for --short (default 10)
#   child        the work runs in a child process of the same program, for --short
# Each configuration runs --rounds times (default 3), the configurations of a load side by side and
# in a turning order from round to round. Then bench/benefit_report.py prints the tables (median,
# min and max over the rounds; ratios against "off" of the same round), writes the figures section
# of docs/performance.md and draws the chart of the lateness distributions into both guides' images
# (with --no-docs: build/benefit/ only). A full run takes 70 to 80 minutes on 2 cores.
#
# --report: only the tables, the section and the chart again, from the last run's build/benefit/results.txt.
# --bridge-smoke: only the bridge's smoke run (tests/bench/scheduler_bridge_smoke.py).
#
# The Wine prefix is build/wineprefix-benefit unless WINEPREFIX is set; the raw figures go to
# build/benefit/results.txt. Interrupted, it ends every program of its prefix and puts back every
# nice value it changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=20 short=10 rounds=3 levels="spare 1x 2x 4x" control=normal docs=1 smoke=0 report_only=0
configs="off normal extreme normal+restraint restraint" kinds=throughput,responsive,child
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --short) short=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --levels) levels=$2; shift 2 ;;
    --configs) configs=$2; shift 2 ;;
    --control) control=$2; shift 2 ;;
    --kinds) kinds=$2; shift 2 ;;
    --no-docs) docs=0; shift ;;
    --bridge-smoke) smoke=1; shift ;;
    --report) report_only=1; shift ;;
    *) sed -n '2,3p' "$0" >&2; exit 2 ;;
  esac
done

bin=$root/build/win/bin
out=$root/build/benefit
results=$out/results.txt
mkdir -p "$out"
report() {
  local command=(python3 "$root/bench/benefit_report.py" "$results")
  if [ "$docs" = 1 ]; then
    command+=(--docs "$root/docs/performance.md" --chart-ja "$root/docs/ja/images/benefit_lateness.png"
              --chart-en "$root/docs/en/images/en_benefit_lateness.png")
  else
    command+=(--chart-ja "$out/benefit_lateness.png" --chart-en "$out/en_benefit_lateness.png")
  fi
  "${command[@]}" | tee "$out/report.md"
}
if [ "$report_only" = 1 ]; then
  report
  exit
fi
if [ "$smoke" = 1 ]; then
  bash "$root/scripts/build.sh" windows class_reader benefit_load >/dev/null
else
  bash "$root/scripts/build.sh" windows kestrune benefit_probe class_reader >/dev/null
fi

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-benefit}
source "$root/scripts/wine_env.sh"
bridge=
cleanup() {
  trap - EXIT INT TERM
  if [ -n "$bridge" ] && kill -0 "$bridge" 2>/dev/null; then
    kill -TERM "$bridge" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$bridge" 2>/dev/null || break; sleep 0.1; done
  fi
  kestrune_wine_cleanup  # ends every program of the prefix, the bridge's reader among them
}
trap cleanup EXIT
trap 'echo "interrupted: programs ended, nice values put back" >&2; exit 130' INT TERM

if [ "$smoke" = 1 ]; then
  timeout 120 python3 "$root/tests/bench/scheduler_bridge_smoke.py" "$bin"
  exit
fi

cores=$(nproc)
threads_of() {
  case $1 in
    spare) echo $((cores - 1)) ;;
    *x) echo $(( ${1%x} * cores )) ;;
    *) echo "unknown load level $1" >&2; exit 2 ;;
  esac
}
for level in $levels; do threads_of "$level" >/dev/null; done

# The cells of one load: every configuration with the bridge applying the classes, and the control.
cells_of() {
  local c
  for c in $configs; do echo "$c:on"; done
  [ "$1" = spare ] && return
  for c in $control; do echo "$c:off"; done
}

state=$out/bridge.state
rm -f "$state"
python3 "$root/bench/scheduler_bridge.py" --reader "$bin/class_reader.exe" --state "$state" >"$out/bridge.log" 2>&1 &
bridge=$!
for _ in $(seq 1 300); do [ -s "$state" ] && break; sleep 0.1; done
[ -s "$state" ] || { echo "the scheduler bridge did not start (see $out/bridge.log)" >&2; exit 1; }
bridge_mode() {  # apply | watch
  [ "$(cat "$state")" = "$1" ] && return
  kill "-$([ "$1" = apply ] && echo USR1 || echo USR2)" "$bridge"
  for _ in $(seq 1 100); do [ "$(cat "$state" 2>/dev/null)" = "$1" ] && return; sleep 0.1; done
  echo "the scheduler bridge did not switch to $1" >&2
  exit 1
}

cells=0
for level in $levels; do cells=$((cells + $(cells_of "$level" | wc -l))); done
minutes=$(( (rounds * cells * (seconds + 2 * short + 25) + 59) / 60 ))
{
  echo "# date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "# wine: $(wine --version)"
  echo "# machine: $cores processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
  echo "# load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "# command: scripts/benefit.sh --seconds $seconds --short $short --rounds $rounds --levels \"$levels\"" \
    "--configs \"$configs\" --control \"$control\" --kinds $kinds"
  echo "# bridge: $(head -1 "$out/bridge.log")"
} >"$results"
cat "$results"
echo "$rounds rounds of $cells configurations, about $minutes minutes"

kestrune=$(winepath -w "$bin/kestrune.exe")
for round in $(seq 1 "$rounds"); do
  for level in $levels; do
    mapfile -t list < <(cells_of "$level")
    for i in "${!list[@]}"; do
      cell=${list[$(( (i + round - 1) % ${#list[@]} ))]}
      config=${cell%:*} mode=${cell#*:}
      bridge_mode "$([ "$mode" = on ] && echo apply || echo watch)"
      label="round=$round level=$level bridge=$mode"
      printf 'round %s/%s  load %-5s  %-17s bridge %-3s ' "$round" "$rounds" "$level" "$config" "$mode"
      # In the background and waited for, so that a signal ends the run at once, not after this probe.
      (cd "$bin" && timeout 600 wine benefit_probe.exe --kestrune "$kestrune" --config "$config" \
        --threads "$(threads_of "$level")" --kinds "$kinds" --seconds "$seconds" --short "$short" --label "$label") \
        2>>"$out/probe.log" | tr -d '\r' | tee -a "$results" | awk '
          $1 == "result" { for (i = 2; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = kv[2] }
            if (f["kind"] == "throughput") printf "front %.2f cores ", f["front_cpu"]
            if (f["kind"] == "responsive") printf "1 ms p99 %.1f ms ", f["input_p99"] / 1000
            if (f["kind"] == "child") printf "renderer %.2f cores ", f["front_cpu"]
            if (f["settled"] != 1) printf "(NOT SETTLED) " }
          END { printf "\n" }' || echo "  the probe failed: see $out/probe.log" &
      wait $! || true
    done
  done
done
echo "# load after: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$results"

report
