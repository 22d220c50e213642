#!/usr/bin/env bash
# package.sh: makes the release package (target release_package of the Windows build), unpacks it
# into build/package and checks it: its name and contents, the texts' encoding (check_package.py),
# and, under Wine, that the unpacked kestrune.exe starts, shows its window and carries the version
# of the file name in its version resource, caption and about page (the driver's Version test).
# Needs kestrune_e2e and helper_window built. Prints "package: N passed, M failed" last.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/package"
passed=0 failed=0
count() { if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi; }

rm -f "$root"/build/win/kestrune-*-win64.zip
bash "$root/scripts/build.sh" windows release_package
zips=("$root"/build/win/kestrune-*-win64.zip)
if [ ! -f "${zips[0]}" ] || [ "${#zips[@]}" -ne 1 ]; then
  echo "FAIL: release_package made no kestrune-<version>-win64.zip"
  echo "package: 0 passed, 1 failed"
  exit 1
fi
echo "package: ${zips[0]}"

report=$(python3 "$root/scripts/check_package.py" "${zips[0]}" "$out/unpacked")
echo "$report"
passed=$((passed + $(grep -c '^ok: ' <<<"$report")))
failed=$((failed + $(grep -c '^FAIL: ' <<<"$report")))
version=$(sed -n 's/^version: //p' <<<"$report")

exe="$out/unpacked/kestrune-$version-win64/kestrune.exe"
if [ -n "$version" ] && [ -f "$exe" ]; then
  mkdir -p "$out/artifacts"
  rm -f "$out/artifacts"/*
  (
    source "$root/scripts/wine_env.sh"
    trap kestrune_wine_cleanup EXIT
    cd "$root/build/win/bin"
    KESTRUNE_EXE="$(winepath -w "$exe")" KESTRUNE_EXPECTED_VERSION="$version" \
      KESTRUNE_ARTIFACTS="$(winepath -w "$out/artifacts")" \
      timeout 300 wine kestrune_e2e.exe --gtest_filter='Version.*' \
      --gtest_output="xml:$(winepath -w "$out/artifacts/version.xml")"
  )
  version_status=$?
  grep -q '<testsuites tests="1" failures="0"' "$out/artifacts/version.xml" 2>/dev/null || version_status=1
  count "$version_status"
  echo "$([ "$version_status" -eq 0 ] && echo ok || echo FAIL): the unpacked kestrune.exe starts and shows version $version"
else
  count 1
  echo "FAIL: no kestrune.exe unpacked to run"
fi
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
