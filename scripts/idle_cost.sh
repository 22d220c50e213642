#!/usr/bin/env bash
# idle_cost.sh [--seconds N] [--runs N] [--no-startup]
#
# What Kestrune costs while it sits there: runs kestrune.exe (acceleration on, its resource monitor
# shown) and Wine's own task manager (its performance page shown, which draws live graphs too) side by
# side under Wine for the same N seconds (default 60), and prints for each the processor time its Wine
# process used in that period (utime + stime from /proc/<pid>/stat) and its peak resident memory
# (VmHWM from /proc/<pid>/status), and the ratios Kestrune / taskmgr. Before that it runs
# bench/win32/startup_probe.exe: the time from process creation to the shown main window, median of
# --runs runs (default 7), and bench/win32/reaction_probe.exe: the time from a change of the
# foreground window to the class change, with InstantReaction on and off. Afterwards Kestrune runs
# the same period again with InstantReaction=1, and its processor time and peak memory are printed
# beside the first run's (InstantReaction=0).
#
# Needs the Windows build: bash scripts/build.sh windows kestrune startup_probe reaction_probe
# (KESTRUNE_BIN points elsewhere than build/win/bin). Runs in a Wine prefix of its own
# (build/wineprefix-idle unless WINEPREFIX is set) so that ending it touches no other Wine run.
# Screenshots of both windows and the figures go to build/idle/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=60
runs=7
startup=1
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --no-startup) startup=0; shift ;;
    *) echo "usage: idle_cost.sh [--seconds N] [--runs N] [--no-startup]" >&2; exit 2 ;;
  esac
done

bin=${KESTRUNE_BIN:-$root/build/win/bin}
out=$root/build/idle
for program in kestrune.exe startup_probe.exe reaction_probe.exe; do
  if [ ! -f "$bin/$program" ]; then
    echo "missing $bin/$program: build it with  bash scripts/build.sh windows kestrune startup_probe reaction_probe" >&2
    exit 2
  fi
done
mkdir -p "$out/run"
rm -f "$out"/*.png "$out/figures.txt"

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-idle}
source "$root/scripts/wine_env.sh"
trap kestrune_wine_cleanup EXIT
say() { echo "$*" | tee -a "$out/figures.txt"; }

# The Linux process that runs a Windows program under our prefix: Wine names it by the program's
# Windows path; the prefix in its environment tells it apart from other developers' Wine runs.
find_wine_process() {  # $1: tail of the Windows path, e.g. \kestrune.exe
  local pid cmd
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    # Processes come and go while the list is read.
    cmd=$({ tr '\0' '\n' < "/proc/$pid/cmdline"; } 2>/dev/null | sed -n 1p) || continue
    case "$cmd" in *"$1") ;; *) continue ;; esac
    { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -x "WINEPREFIX=$WINEPREFIX" >/dev/null || continue
    echo "$pid"
    return 0
  done
  return 1
}
wait_for_wine_process() {
  local pid
  for _ in $(seq 1 300); do
    pid=$(find_wine_process "$1") && { echo "$pid"; return 0; }
    sleep 0.1
  done
  echo "no Wine process for $1 appeared" >&2
  return 1
}
# The X window of a program that has a real size (Wine also makes 1x1 helper windows).
x_window_of() {  # $1: WM_CLASS, e.g. kestrune.exe
  local w
  for w in $(xdotool search --class "$1" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$WIDTH" -gt 100 ] && [ "$X" -gt -1000 ]; then echo "$w"; return 0; fi
  done
  return 1
}
wait_for_x_window() {
  local w
  for _ in $(seq 1 300); do
    w=$(x_window_of "$1") && { echo "$w"; return 0; }
    sleep 0.1
  done
  echo "no window of $1 appeared" >&2
  return 1
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # utime + stime, in clock ticks
peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

echo "Wine $(wine --version), $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)" | tee "$out/figures.txt"

if [ "$startup" = 1 ]; then
  (cd "$bin" && wine startup_probe.exe "$(winepath -w "$bin/kestrune.exe")" "$runs") | tr -d '\r' | tee -a "$out/figures.txt"
  (cd "$bin" && wine reaction_probe.exe "$(winepath -w "$bin/kestrune.exe")" 20) | tr -d '\r' | tee -a "$out/figures.txt"
fi

# Kestrune from a folder of its own, acceleration on, recording on, not starting hidden.
cp "$bin/kestrune.exe" "$out/run/"
settings() {  # $1: InstantReaction
  printf '[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n[Advanced]\r\nInstantReaction=%s\r\n' \
    "$1" > "$out/run/kestrune.ini"
}
settings 0
(cd "$out/run" && exec wine kestrune.exe >/dev/null 2>&1) &
(cd "$out" && exec wine taskmgr >/dev/null 2>&1) &
kestrune_pid=$(wait_for_wine_process '\kestrune.exe')
taskmgr_pid=$(wait_for_wine_process '\taskmgr.exe')
kestrune_window=$(wait_for_x_window kestrune.exe)
taskmgr_window=$(wait_for_x_window taskmgr.exe)

# Side by side, each showing its graphs: Kestrune's first tab holds the resource monitor, the task
# manager's third tab its performance graphs. The points are where those tabs sit with the Japanese
# fonts of wine_env.sh; the screenshots below show whether the clicks landed.
xdotool windowmove "$taskmgr_window" 500 0 2>/dev/null || true
sleep 1
xdotool mousemove --window "$kestrune_window" 45 45 click 1 2>/dev/null || true
xdotool mousemove --window "$taskmgr_window" 202 57 click 1 2>/dev/null || true
xdotool mousemove 1200 760 2>/dev/null || true
sleep 5  # past the start-up work of both

k0=$(cpu_ticks "$kestrune_pid"); t0=$(cpu_ticks "$taskmgr_pid"); start=$(date +%s.%N)
import -window root "$out/idle_start.png"
sleep "$seconds"
k1=$(cpu_ticks "$kestrune_pid"); t1=$(cpu_ticks "$taskmgr_pid"); end=$(date +%s.%N)
import -window root "$out/idle_end.png"
k_peak=$(peak_kib "$kestrune_pid"); t_peak=$(peak_kib "$taskmgr_pid")
hz=$(getconf CLK_TCK)

awk -v k="$((k1 - k0))" -v t="$((t1 - t0))" -v hz="$hz" -v kp="$k_peak" -v tp="$t_peak" -v start="$start" \
    -v end="$end" '
  function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
  BEGIN {
    wall = end - start
    printf "idle cost over %.1f s of wall time (both running side by side, graphs shown):\n", wall
    printf "  %-10s  %12s  %16s  %14s\n", "program", "CPU time (s)", "CPU (% of core)", "peak RSS (MiB)"
    printf "  %-10s  %12.2f  %16.2f  %14.1f\n", "kestrune", k / hz, 100 * k / hz / wall, kp / 1024
    printf "  %-10s  %12.2f  %16.2f  %14.1f\n", "taskmgr", t / hz, 100 * t / hz / wall, tp / 1024
    printf "  ratio kestrune / taskmgr: CPU time %s, peak memory %s\n", ratio(k, t), ratio(kp, tp)
  }' | tee -a "$out/figures.txt"

# The same period again with the quick reaction on: its 50 ms look at the foreground window is what
# it adds to the idle program.
kill "$kestrune_pid" 2>/dev/null || true
while kill -0 "$kestrune_pid" 2>/dev/null; do sleep 0.2; done
settings 1
(cd "$out/run" && exec wine kestrune.exe >/dev/null 2>&1) &
kestrune_pid=$(wait_for_wine_process '\kestrune.exe')
kestrune_window=$(wait_for_x_window kestrune.exe)
# The same clicks as before: the task manager's window last, so that, as in any use, a switch to
# another program has come, and with it the first focus notification that stops the 50 ms look.
xdotool mousemove --window "$kestrune_window" 45 45 click 1 2>/dev/null || true
xdotool mousemove --window "$taskmgr_window" 202 57 click 1 2>/dev/null || true
xdotool mousemove 1200 760 2>/dev/null || true
sleep 5
q0=$(cpu_ticks "$kestrune_pid"); qstart=$(date +%s.%N)
sleep "$seconds"
q1=$(cpu_ticks "$kestrune_pid"); qend=$(date +%s.%N)
q_peak=$(peak_kib "$kestrune_pid")
awk -v k="$((k1 - k0))" -v q="$((q1 - q0))" -v hz="$hz" -v kp="$k_peak" -v qp="$q_peak" -v kw="$(echo "$end - $start" | bc)" \
    -v qw="$(echo "$qend - $qstart" | bc)" '
  BEGIN {
    printf "kestrune idle, InstantReaction off and on (%.1f s and %.1f s of wall time):\n", kw, qw
    printf "  %-20s  %12s  %16s  %14s\n", "setting", "CPU time (s)", "CPU (% of core)", "peak RSS (MiB)"
    printf "  %-20s  %12.2f  %16.2f  %14.1f\n", "InstantReaction=0", k / hz, 100 * k / hz / kw, kp / 1024
    printf "  %-20s  %12.2f  %16.2f  %14.1f\n", "InstantReaction=1", q / hz, 100 * q / hz / qw, qp / 1024
    if (k > 0) printf "  CPU per second on / off: %.2f\n", (q / qw) / (k / kw)
  }' | tee -a "$out/figures.txt"
echo "figures: $out/figures.txt; screenshots: $out/idle_start.png, $out/idle_end.png"
