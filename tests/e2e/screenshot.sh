#!/usr/bin/env bash
# Screenshots need no display: default and explicit sizes, the output line, failures leave nothing.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp -d)
unset DISPLAY WAYLAND_DISPLAY

line=$("$APP" --screenshot "$out/a.png")
[ "$line" = "chat: wrote shot to $out/a.png" ] || fail "printed '$line'"
file "$out/a.png" | grep -q "1280 x 800" || fail "default size: $(file "$out/a.png")"

"$APP" --screenshot "$out/b.png" --size 640x400 --scenario narrow >/dev/null
file "$out/b.png" | grep -q "640 x 400" || fail "explicit size: $(file "$out/b.png")"

status=0
"$APP" --screenshot "$out/missing-dir/c.png" 2>"$out/err" >/dev/null || status=$?
[ "$status" -ne 0 ] || fail "writing into a missing directory succeeded"
grep -q "missing-dir" "$out/err" || fail "error does not name the path: $(cat "$out/err")"
[ -z "$(ls -A "$out" | grep -v -e '^a.png$' -e '^b.png$' -e '^err$')" ] || fail "left files behind: $(ls -A "$out")"

status=0
"$APP" --screenshot "$out/d.png" --size 0x0 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "--size 0x0 exited with $status, expected 2"

[ "$("$APP" --list-scenarios | wc -l)" -eq 21 ] || fail "scenario count"
echo "ok"
