#!/usr/bin/env bash
# Sourced: a Wine prefix of the project's own under build/, a Japanese locale (or KESTRUNE_LANG's:
# Wine takes the user's interface language from it, so KESTRUNE_LANG=en_US.UTF-8 makes an English
# system, whether or not that locale is installed) and an X display (a virtual one when none is
# available). Sets KESTRUNE_OWN_XVFB when it started one.
# A system of another language gets a prefix of its own, as Wine makes it: the Japanese faces that
# the Japanese system's prefix maps to the IPA fonts stay unmapped there, as they are on an English
# Windows without the Japanese fonts, so what its tests see is what such a system shows.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
japanese=yes
case ${KESTRUNE_LANG:-ja} in ja*) ;; *) japanese=no ;; esac
if [ "$japanese" = yes ]; then
  export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
else
  export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-${KESTRUNE_LANG:0:2}}
fi
# Debian's wine starts its 32-bit loader whenever wine32 is installed, and a kernel without IA-32
# emulation (some virtual machines) cannot run it ("Exec format error"). Every program here is
# 64-bit, so there the 64-bit loader serves for wine and for the tools that go through wine-stable
# (winepath, wineboot); a folder of the user's own holds the two stand-ins.
if [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine64_only=${TMPDIR:-/tmp}/kestrune-wine64-$(id -u)
  mkdir -p "$wine64_only"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine64_only/$name"
    chmod +x "$wine64_only/$name"
  done
  case ":$PATH:" in *":$wine64_only:"*) ;; *) export PATH="$wine64_only:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export LANG=${KESTRUNE_LANG:-ja_JP.UTF-8}
export LC_ALL=$LANG

KESTRUNE_OWN_XVFB=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  # Xvfb takes a free display number itself and reports it once it accepts connections, so two runs
  # that start at the same moment never end up on one display, sharing its foreground and pointer.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  KESTRUNE_OWN_XVFB=$!
  for _ in $(seq 1 200); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
  rm -f "$display_file"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
if [ "$japanese" = yes ]; then
  # The Windows Japanese UI faces, served by the IPA fonts (Wine's own fallback has no Latin letters).
  for face in "MS UI Gothic" "MS PGothic" "Meiryo UI"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null 2>&1 || true
  done
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Gothic" /d IPAGothic /f >/dev/null 2>&1 || true
else
  # None, even in a prefix that had them from an earlier run.
  wine reg delete 'HKCU\Software\Wine\Fonts\Replacements' /f >/dev/null 2>&1 || true
fi
# A program that crashes ends with its backtrace on the console instead of waiting behind a crash
# dialog nobody answers (a waiting copy would keep holding its single-instance guard).
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
# Without a window manager Wine draws the window frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true

kestrune_wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$KESTRUNE_OWN_XVFB" ]; then kill "$KESTRUNE_OWN_XVFB" 2>/dev/null || true; fi
}
