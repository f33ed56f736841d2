#!/usr/bin/env bash
# Runs a program under a private X server: Xvfb at 1920 x 1080 (or the size in CON_X_SCHERMO,
# for example 1024x768) with the openbox window manager, so windows are maximised, activated
# and focused as on a desktop, and xdotool can send real X input events. Xvfb picks a free
# display number itself, so several of these can run side by side. Everything started here
# is stopped on the way out.
# Usage: [CON_X_SCHERMO=WxH] con_x.sh PROGRAM [ARGS...]
set -u
schermo=${CON_X_SCHERMO:-1920x1080}
cartella=$(mktemp -d)
pulisci() {
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$cartella"
}
trap pulisci EXIT

Xvfb -displayfd 3 -screen 0 "${schermo}x24" -noreset -nolisten tcp 3>"$cartella/schermo" \
    2>"$cartella/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$cartella/schermo" ] && break; sleep 0.05; done
if [ ! -s "$cartella/schermo" ]; then
    echo "Xvfb did not start:" >&2
    cat "$cartella/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$cartella/schermo")"
openbox >/dev/null 2>&1 &
wm=$!
# openbox is ready once it has named itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
# libxkbcommon-x11 hands strndup() a buffer with its length but no terminating NUL, which
# AddressSanitizer's strict string checks report as an overflow inside that library.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
QT_QPA_PLATFORM=xcb "$@"
