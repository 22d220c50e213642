#!/usr/bin/env bash
# The settings of a copy in a folder its user may not write, for real: Wine run as root writes any
# folder, so this runs the end-to-end test ReadOnlyFolder.* as an ordinary Linux user (made here
# when missing, with a Wine prefix in its home) on a copy in a folder owned by root with mode 755.
# Needs root and the Windows build (kestrune.exe, kestrune_e2e.exe). Prints "read-only folder:
# passed" or "... failed" and exits accordingly.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/win/bin"
user=kestrune-tester
folder=/tmp/kestrune-read-only
artifacts=/tmp/kestrune-read-only-artifacts

fail() { echo "read-only folder: failed ($1)"; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "must run as root to make the user and the folder"
# One run at a time: the user, its Wine prefix (and so the program's single-instance guard) and the
# folder are the same for every test run on this machine, and two runs at once would meet there.
exec 9>/tmp/kestrune-read-only.lock
flock -w 1800 9 || fail "another run kept the lock for 30 minutes"
[ -f "$bin/kestrune.exe" ] && [ -f "$bin/kestrune_e2e.exe" ] || fail "Windows build missing"
id -u "$user" >/dev/null 2>&1 || useradd -m -s /bin/bash "$user" || fail "useradd"
home=$(getent passwd "$user" | cut -d: -f6)

rm -rf "$folder" "$artifacts"
install -d -o root -g root -m 755 "$folder"
install -o root -g root -m 644 "$bin/kestrune.exe" "$bin/kestrune_e2e.exe" "$folder/"
printf '[Normal]\r\nEnableSpeed=0\r\n[Record]\r\nRecordCount=200\r\n' >"$folder/kestrune.ini"
chmod 644 "$folder/kestrune.ini"
install -d -o "$user" -m 755 "$artifacts"

# Bounded: a first start makes the user's Wine prefix, which takes a minute or two.
timeout 900 runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH="$PATH" root="$root" \
  folder="$folder" artifacts="$artifacts" bash -c '
    export WINEPREFIX="$HOME/kestrune-wineprefix"
    source "$root/scripts/wine_env.sh"
    trap kestrune_wine_cleanup EXIT
    export KESTRUNE_READONLY_EXE="$(winepath -w "$folder/kestrune.exe")"
    export KESTRUNE_ARTIFACTS="$(winepath -w "$artifacts")"
    cd "$folder"
    wine kestrune_e2e.exe --gtest_filter="ReadOnlyFolder.*" --gtest_output="xml:$(winepath -w "$artifacts/e2e.xml")"
  '
status=$?
mkdir -p "$root/build/win/artifacts"
cp "$artifacts"/*.png "$root/build/win/artifacts/" 2>/dev/null || true
# Passed only when the test ran (not skipped) and nothing failed.
if [ "$status" -eq 0 ] && grep -q 'tests="1" failures="0"' "$artifacts/e2e.xml" 2>/dev/null &&
   ! grep -q '<skipped' "$artifacts/e2e.xml"; then
  echo "read-only folder: passed"
  exit 0
fi
fail "exit code $status"
