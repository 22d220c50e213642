#!/usr/bin/env bash
# idle_cost.sh [--seconds N] [--runs N] [--no-startup]
#
# What Kestrune costs while it sits there. Before the idle run it runs bench/win32/startup_probe.exe:
# the time from process creation to the shown main window, median of --runs runs (default 7), and
# bench/win32/reaction_probe.exe: the time from a change of the foreground window to the class
# change, with InstantReaction on and off.
#
# The idle run then starts, side by side for the same N seconds (default 60), each program in a Wine
# prefix of its own (so that each has its own Wine server and Kestrune's copies do not see each other):
#   bare       bench/win32/bare_window.exe: a window with a one-second timer that reads the
#              foreground window, the floor of any program that watches it
#   about      Kestrune shown on its first page, the about page, which has no resource monitor
#   monitor    Kestrune shown on the page of the resource monitor
#   tray       Kestrune started hidden in the notification area (AutoMin=1)
#   quick      Kestrune shown on the monitor's page with InstantReaction=1
#   restrain   Kestrune shown on the about page with RestrainBackground=1: its readings of every
#              process once a second, to compare with "about", where the setting is 0
#   rules      Kestrune shown on the monitor's page with ten rules per program, none "low", restraint
#              off: to compare with "monitor", which has none
#   ruleslow   the same with one of the ten rules "low": a reading of every process once a second
#   taskmgr    Wine's task manager on its performance page, which draws live graphs too
#   before     only when KESTRUNE_BEFORE names a folder with another build's kestrune.exe: that
#              build shown on the monitor's page, to compare with "monitor" in the same run
#   beforetray the same build hidden in the notification area, to compare with "tray"
# and prints for each the processor time its Wine process used in that period (utime + stime from
# /proc/<pid>/stat), the same per minute, its peak resident memory (VmHWM from /proc/<pid>/status)
# and the processor time of its prefix's Wine server. Every Kestrune runs with acceleration and
# recording on.
#
# Needs the Windows build: bash scripts/build.sh windows kestrune startup_probe reaction_probe bare_window
# (KESTRUNE_BIN points elsewhere than build/win/bin). The base prefix is build/wineprefix-idle unless
# WINEPREFIX is set; the per-program prefixes are linked copies of it under build/idle/. Screenshots
# and the figures go to build/idle/.
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
for program in kestrune.exe startup_probe.exe reaction_probe.exe bare_window.exe; do
  if [ ! -f "$bin/$program" ]; then
    echo "missing $bin/$program: build it with  bash scripts/build.sh windows kestrune startup_probe reaction_probe bare_window" >&2
    exit 2
  fi
done
mkdir -p "$out"
rm -f "$out"/*.png "$out/figures.txt"

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-idle}
# A virtual screen large enough for every window side by side, none covering another.
idle_xvfb=
if [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  idle_xvfb=$!
  for _ in $(seq 1 200); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
  rm -f "$display_file"
fi
source "$root/scripts/wine_env.sh"
cleanup() {
  for p in "$out"/prefix-*; do if [ -d "$p" ]; then WINEPREFIX=$p wineserver -k 2>/dev/null || true; fi; done
  kestrune_wine_cleanup
  if [ -n "$idle_xvfb" ]; then kill "$idle_xvfb" 2>/dev/null || true; fi
}
trap cleanup EXIT
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # utime + stime, in clock ticks
peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

echo "Wine $(wine --version), $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)" | tee "$out/figures.txt"

if [ "$startup" = 1 ]; then
  (cd "$bin" && wine startup_probe.exe "$(winepath -w "$bin/kestrune.exe")" "$runs") | tr -d '\r' | tee -a "$out/figures.txt"
  (cd "$bin" && wine reaction_probe.exe "$(winepath -w "$bin/kestrune.exe")" 20) | tr -d '\r' | tee -a "$out/figures.txt"
fi

# Each program gets a prefix of its own: a copy of the base prefix made of hard links, except the
# registry files, which Wine rewrites.
wineserver -w
clone_prefix() {  # $1: the new prefix
  rm -rf "$1"
  cp -al "$WINEPREFIX" "$1"
  for f in system.reg user.reg userdef.reg; do
    rm -f "$1/$f"
    cp "$WINEPREFIX/$f" "$1/$f"
  done
}
# The Linux process of a program in a prefix (its command line ends with the pattern).
find_in_prefix() {  # $1: prefix, $2: tail of the command line
  local pid cmd
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    cmd=$({ tr '\0' '\n' < "/proc/$pid/cmdline"; } 2>/dev/null | sed -n 1p) || continue
    case "$cmd" in *"$2") ;; *) continue ;; esac
    { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -x "WINEPREFIX=$1" >/dev/null || continue
    echo "$pid"
    return 0
  done
  return 1
}
wait_in_prefix() {
  local pid
  for _ in $(seq 1 300); do
    pid=$(find_in_prefix "$1" "$2") && { echo "$pid"; return 0; }
    sleep 0.1
  done
  echo "no process $2 appeared in $1" >&2
  return 1
}
# The main X window of a Windows process (Wine also makes 1x1 helper windows, and one for each drop-down
# list, hidden).
x_window_of_pid() {
  local w
  for _ in $(seq 1 300); do
    for w in $(xdotool search --pid "$1" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ "$WIDTH" -gt 300 ] && [ "$X" -gt -1000 ]; then echo "$w"; return 0; fi
    done
    sleep 0.1
  done
  echo "no window of process $1 appeared" >&2
  return 1
}
kestrune_settings() {  # $1: folder, $2: AutoMin, $3: InstantReaction, $4: RestrainBackground
  printf '[Normal]\r\nAutoRun=0\r\nAutoMin=%s\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n[Advanced]\r\nInstantReaction=%s\r\nRestrainBackground=%s\r\n' \
    "$2" "$3" "${4:-0}" > "$1/kestrune.ini"
}
# Ten rules per program after the settings: three left alone in front (in Exclude too), the others
# raised at their own level or kept from the restraint; $2: the last one's behind word.
kestrune_rules() {  # $1: folder, $2: auto or low
  printf 'Exclude=game1.exe|game2.exe|game3.exe\r\n[Rules]\r\nencoder.exe=high,free\r\nrender.exe=realtime,auto\r\n' >> "$1/kestrune.ini"
  printf 'player.exe=auto,free\r\nbrowser.exe=high,auto\r\nmail.exe=auto,free\r\nsync.exe=off,free\r\nbackup.exe=high,%s\r\n' "$2" >> "$1/kestrune.ini"
}

cases="bare about monitor tray quick restrain rules ruleslow taskmgr"
if [ -n "${KESTRUNE_BEFORE:-}" ]; then cases="$cases before beforetray"; fi
declare -A pid prefix slot
slot[about]="0 0"; slot[monitor]="480 0"; slot[quick]="960 0"; slot[before]="1440 0"; slot[taskmgr]="0 420"
slot[bare]="480 420"; slot[restrain]="960 420"; slot[rules]="1440 420"; slot[ruleslow]="480 780"
for c in $cases; do
  prefix[$c]=$out/prefix-$c
  clone_prefix "${prefix[$c]}"
  mkdir -p "$out/run-$c"
  case $c in
    bare) cp "$bin/bare_window.exe" "$out/run-$c/"; exe=bare_window.exe ;;
    taskmgr) exe=taskmgr ;;
    before|beforetray) cp "$KESTRUNE_BEFORE/kestrune.exe" "$out/run-$c/"; exe=kestrune.exe
       kestrune_settings "$out/run-$c" "$([ $c = beforetray ] && echo 1 || echo 0)" 0 ;;
    *) cp "$bin/kestrune.exe" "$out/run-$c/"; exe=kestrune.exe
       kestrune_settings "$out/run-$c" "$([ $c = tray ] && echo 1 || echo 0)" "$([ $c = quick ] && echo 1 || echo 0)" \
         "$([ $c = restrain ] && echo 1 || echo 0)"
       case $c in rules) kestrune_rules "$out/run-$c" auto ;; ruleslow) kestrune_rules "$out/run-$c" low ;; esac ;;
  esac
  (cd "$out/run-$c" && WINEPREFIX=${prefix[$c]} exec wine $exe >/dev/null 2>&1) &
  pid[$c]=$(wait_in_prefix "${prefix[$c]}" "\\${exe%.exe}.exe")
  case $c in tray|beforetray) continue ;; esac
  w=$(x_window_of_pid "${pid[$c]}")
  xdotool windowmove "$w" ${slot[$c]} 2>/dev/null || true
  sleep 1
  # Kestrune's first tab holds the resource monitor, the task manager's third its graphs; the points
  # are where those tabs sit with the Japanese fonts of wine_env.sh (the screenshots show whether
  # the clicks landed).
  case $c in
    monitor|quick|before|rules|ruleslow) xdotool mousemove --window "$w" 45 45 click 1 2>/dev/null || true ;;
    taskmgr) xdotool mousemove --window "$w" 202 57 click 1 2>/dev/null || true ;;
  esac
done
xdotool mousemove 1910 1190 2>/dev/null || true
sleep 5  # past the start-up work of all
declare -A ticks0 server0 server
for c in $cases; do
  server[$c]=$(find_in_prefix "${prefix[$c]}" wineserver64 || find_in_prefix "${prefix[$c]}" wineserver)
  ticks0[$c]=$(cpu_ticks "${pid[$c]}"); server0[$c]=$(cpu_ticks "${server[$c]}")
done
start=$(date +%s.%N)
import -window root "$out/idle_start.png"
sleep "$seconds"
end=$(date +%s.%N)
hz=$(getconf CLK_TCK)
{
  printf 'idle cost over %.1f s of wall time, side by side, each in a prefix of its own:\n' "$(echo "$end - $start" | bc)"
  printf '  %-10s  %12s  %14s  %14s  %16s\n' program "CPU time (s)" "CPU s / minute" "peak RSS (MiB)" "its server (s)"
  for c in $cases; do
    awk -v c="$c" -v t="$(( $(cpu_ticks "${pid[$c]}") - ticks0[$c] ))" -v s="$(( $(cpu_ticks "${server[$c]}") - server0[$c] ))" \
        -v hz="$hz" -v kib="$(peak_kib "${pid[$c]}")" -v wall="$(echo "$end - $start" | bc)" \
        'BEGIN { printf "  %-10s  %12.2f  %14.3f  %14.1f  %16.2f\n", c, t / hz, 60 * t / hz / wall, kib / 1024, s / hz }'
  done
} | tee -a "$out/figures.txt"
import -window root "$out/idle_end.png"
echo "figures: $out/figures.txt; screenshots: $out/idle_start.png, $out/idle_end.png"
