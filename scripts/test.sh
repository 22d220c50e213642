#!/usr/bin/env bash
# Every test: the layer and size checks of the source, the portable core's unit tests (ASan + UBSan),
# the end-to-end tests of the real kestrune.exe under Wine (their screenshots then refresh the
# guides' pictures), the benefit benchmark's scheduler bridge once, the release package made once,
# unpacked and checked, and the fuzz targets for a bounded time.
# Ends with one line "total: N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh" || exit 1

unit_passed=0 unit_failed=0 e2e_passed=0 e2e_failed=0 check_passed=0 check_failed=0 status=0
package_passed=0 package_failed=0

# The source itself: no include against the layers of CMakeLists.txt, no oversized file or function.
for check in check_layers check_sizes; do
  if python3 "$root/scripts/$check.py" "$root"; then
    check_passed=$((check_passed + 1))
  else
    check_failed=$((check_failed + 1)); status=1
  fi
done

if bash "$root/scripts/build.sh" native; then
  ctest --test-dir "$root/build/native" --output-on-failure -j"$(nproc)" 2>&1 | tee "$root/build/native/ctest.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$root/build/native/ctest.log" | tail -1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  unit_failed=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  unit_passed=$(( ${total:-0} - ${unit_failed:-0} ))
else
  echo "native build failed"; status=1; unit_failed=1
fi

if bash "$root/scripts/build.sh" windows kestrune kestrune_e2e helper_window surface_agreement class_reader benefit_load; then
  count_e2e() {
    local xml=$1 tests fails
    if [ -f "$xml" ]; then
      tests=$(grep -oE '<testsuites tests="[0-9]+"' "$xml" | grep -oE '[0-9]+')
      fails=$(grep -oE '<testsuites tests="[0-9]+" failures="[0-9]+"' "$xml" | grep -oE '[0-9]+"$' | tr -d '"')
      e2e_failed=$((e2e_failed + ${fails:-0}))
      e2e_passed=$((e2e_passed + ${tests:-0} - ${fails:-0}))
    else
      e2e_failed=$((e2e_failed + 1)); status=1
    fi
  }
  # The English window's captions read back from its pictures (scripts/read_captions.py): one test
  # in each pass, since each runs English.*.
  count_read() {
    if tail -1 "$1/read_captions.txt" 2>/dev/null | grep -qx READ; then
      e2e_passed=$((e2e_passed + 1))
    else
      e2e_failed=$((e2e_failed + 1)); status=1
    fi
  }
  bash "$root/scripts/e2e.sh" || status=1
  count_e2e "$root/build/win/artifacts/e2e.xml"
  count_read "$root/build/win/artifacts"
  # The English pages and the guide's first steps again under an English Wine, in a prefix of its
  # own without the Japanese faces' replacements: the window in the system's language as an English
  # system without the Japanese fonts shows it, and the English guide's screenshots
  # (build/win/artifacts/en).
  KESTRUNE_LANG=en_US.UTF-8 bash "$root/scripts/e2e.sh" --gtest_filter='English.*:Guide.*' || status=1
  count_e2e "$root/build/win/artifacts/en/e2e.xml"
  count_read "$root/build/win/artifacts/en"
  # The surface agreement check counts as one end-to-end test.
  if tail -1 "$root/build/win/artifacts/surface_agreement.txt" 2>/dev/null | tr -d "\r" | grep -qx AGREE; then
    e2e_passed=$((e2e_passed + 1))
  else
    e2e_failed=$((e2e_failed + 1)); status=1
  fi
  # A copy in a folder its user may not write, run by an ordinary Linux user: one more test.
  if bash "$root/scripts/read_only_folder.sh"; then
    e2e_passed=$((e2e_passed + 1))
  else
    e2e_failed=$((e2e_failed + 1)); status=1
  fi
  # The benefit benchmark's scheduler bridge carries a class change to every Linux thread within a
  # second (the benchmark itself is no test: it takes an hour and a quiet machine). One more test.
  if WINEPREFIX="$root/build/wineprefix" bash "$root/scripts/benefit.sh" --bridge-smoke; then
    e2e_passed=$((e2e_passed + 1))
  else
    e2e_failed=$((e2e_failed + 1)); status=1
  fi
  echo "Screenshots of the running window: $root/build/win/artifacts/*.png"
  # The guide shows the screenshots this run made; the check counts with the source checks.
  if python3 "$root/scripts/guide_images.py" "$root"; then
    check_passed=$((check_passed + 1))
  else
    check_failed=$((check_failed + 1)); status=1
  fi
  bash "$root/scripts/package.sh" 2>&1 | tee "$root/build/package.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  line=$(grep -E '^package: [0-9]+ passed, [0-9]+ failed' "$root/build/package.log" | tail -1)
  package_passed=$(sed -E 's/^package: ([0-9]+) passed.*/\1/' <<<"$line")
  package_failed=$(sed -E 's/.*passed, ([0-9]+) failed.*/\1/' <<<"$line")
  [ -n "$line" ] || { package_passed=0; package_failed=1; status=1; }
else
  echo "Windows build failed"; status=1; e2e_failed=1; package_failed=1
fi

# Bad input: each fuzz target runs for a bounded time (FUZZ_SECONDS each) and must find nothing.
fuzz_targets=2
FUZZ_SECONDS=${FUZZ_SECONDS:-30} bash "$root/scripts/fuzz.sh" 2>&1 | tee "$root/build/fuzz.log"
fuzz_status=${PIPESTATUS[0]}
fuzz_failed=$(grep -c 'found a failing input' "$root/build/fuzz.log" || true)
if [ "$fuzz_status" -ne 0 ]; then
  status=1
  [ "$fuzz_failed" -gt 0 ] || fuzz_failed=$fuzz_targets  # it did not build or run at all
fi
fuzz_passed=$((fuzz_targets - fuzz_failed))

echo "source checks: $check_passed passed, $check_failed failed"
echo "unit: $unit_passed passed, $unit_failed failed"
echo "end-to-end: $e2e_passed passed, $e2e_failed failed"
echo "package: $package_passed passed, $package_failed failed"
echo "fuzz: $fuzz_passed passed, $fuzz_failed failed"
echo "total: $((check_passed + unit_passed + e2e_passed + package_passed + fuzz_passed)) passed," \
  "$((check_failed + unit_failed + e2e_failed + package_failed + fuzz_failed)) failed"
exit $status
