#!/usr/bin/env bash
# Runs the Windows end-to-end driver against the real kestrune.exe under Wine (in Xvfb when no
# display is available). Screenshots go to build/win/artifacts. Extra arguments go to the driver.
# With KESTRUNE_LANG (say en_US.UTF-8) Wine runs in that language and the screenshots go to
# build/win/artifacts/<its first two letters> (the English guide's pictures: artifacts/en).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/win/bin"
artifacts="$root/build/win/artifacts"
[ -z "${KESTRUNE_LANG:-}" ] || artifacts="$artifacts/${KESTRUNE_LANG:0:2}"
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/e2e.xml "$artifacts"/read_*.txt "$artifacts"/read_captions.txt
source "$root/scripts/wine_env.sh"
trap kestrune_wine_cleanup EXIT

export KESTRUNE_EXE="$(winepath -w "$bin/kestrune.exe")"
export KESTRUNE_HELPER="$(winepath -w "$bin/helper_window.exe")"
export KESTRUNE_ARTIFACTS="$(winepath -w "$artifacts")"
cd "$bin"
status=0

# First the drawing check: the GDI and raster surfaces must paint the same pixels for the
# primitives and the three own controls. Its images go to artifacts/surface.
rm -rf "$artifacts/surface" "$artifacts/surface_agreement.txt"
mkdir -p "$artifacts/surface"
if [ -n "${KESTRUNE_LANG:-}" ]; then
  echo "surface agreement: run in the default language only"
elif [ -f surface_agreement.exe ]; then
  echo "== surface agreement =="
  agreement=0
  timeout 300 wine surface_agreement.exe "$(winepath -w "$artifacts/surface")" >"$artifacts/surface_agreement.txt" 2>&1 \
    || agreement=$?
  grep -v '^tick ' "$artifacts/surface_agreement.txt" || true
  if [ "$agreement" -ne 0 ]; then
    echo "surface agreement FAILED (exit code $agreement)"
    status=1
  fi
else
  echo "surface_agreement.exe not built: skipped"
fi

echo "== end-to-end driver =="
# ReadOnlyFolder.* needs an ordinary Linux user: scripts/read_only_folder.sh runs it.
filtered=no
for argument in "$@"; do case $argument in --gtest_filter=*) filtered=yes ;; esac; done
[ "$filtered" = yes ] || set -- --gtest_filter='-ReadOnlyFolder.*' "$@"
# The bound only ends a run that hangs: on a loaded machine a whole run has taken 15 minutes.
timeout 3600 wine kestrune_e2e.exe --gtest_output="xml:$(winepath -w "$artifacts/e2e.xml")" "$@" || status=$?

# The English window's captions as drawn, read back with text recognition: the parts of its pictures
# that English.* saved for reading (read_*.png). Counted by scripts/test.sh as one more test.
if compgen -G "$artifacts/read_*.png" >/dev/null; then
  echo "== captions read back =="
  python3 "$root/scripts/read_captions.py" "$artifacts" | tee "$artifacts/read_captions.txt"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
fi
exit $status
