#!/usr/bin/env bash
# Builds kestrune.exe and starts it under Wine. Without a display it runs on a virtual one,
# saves a screenshot to build/kestrune-screenshot.png and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" windows kestrune
had_display=${DISPLAY:-}
source "$root/scripts/wine_env.sh"
trap kestrune_wine_cleanup EXIT

mkdir -p "$root/build/run"
cp "$root/build/win/bin/kestrune.exe" "$root/build/run/"
cd "$root/build/run"
if [ -z "$KESTRUNE_OWN_XVFB" ]; then
  echo "Starting Kestrune on $DISPLAY (its settings file is build/run/kestrune.ini)."
  wine kestrune.exe
else
  echo "No display available: running on a virtual one ($DISPLAY) for a screenshot."
  wine kestrune.exe &
  sleep 8
  import -window root -crop 480x390+0+0 "$root/build/kestrune-screenshot.png"
  echo "Screenshot saved: $root/build/kestrune-screenshot.png"
fi
