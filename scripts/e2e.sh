#!/usr/bin/env bash
# Runs the Windows end-to-end driver against the real kestrune.exe under Wine (in Xvfb when no
# display is available). Screenshots go to build/win/artifacts. Extra arguments go to the driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/win/bin"
artifacts="$root/build/win/artifacts"
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/e2e.xml
source "$root/scripts/wine_env.sh"
trap kestrune_wine_cleanup EXIT

export KESTRUNE_EXE="$(winepath -w "$bin/kestrune.exe")"
export KESTRUNE_HELPER="$(winepath -w "$bin/helper_window.exe")"
export KESTRUNE_ARTIFACTS="$(winepath -w "$artifacts")"
export KESTRUNE_ARTIFACTS_UNIX="$artifacts"
cd "$bin"
status=0
timeout 1200 wine kestrune_e2e.exe --gtest_output="xml:$(winepath -w "$artifacts/e2e.xml")" "$@" || status=$?
exit $status
