#!/usr/bin/env bash
# The designer end to end under a virtual X server, driven by real X input (xdotool): add a list,
# give a property a value the list refuses and then one it takes, run the form, click an item,
# save; the saved form file must load back to the very pixels the designer saved it with.
#
#   designer-e2e.sh DESIGNER WORKDIR        (run inside xvfb-run)
set -euo pipefail
designer=$1
work=$2
mkdir -p "$work"
rm -f "$work/form.json" "$work/saved.png" "$work/reloaded.png"
"$designer" "$work/form.json" --picture "$work/saved.png" --frames 3000 >"$work/designer.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
wid=$(xdotool search --sync --onlyvisible --name "Tavrin designer" | head -n 1)
xdotool windowmove --sync "$wid" 0 0
xdotool windowfocus --sync "$wid" || true
sleep 0.5

at() { xdotool mousemove --sync "$1" "$2"; }
click() { at "$1" "$2"; xdotool click 1; sleep 0.4; }
dblclick() { at "$1" "$2"; xdotool click --repeat 2 --delay 80 1; sleep 0.4; }
key() { xdotool key "$@"; sleep 0.3; }

click 50 21      # Add list
# The sheet's rows are 18 pixels high from y 44: Left, Top, Width, Height, TabIndex, Alignment,
# Appearance (row 6).
row6=$((44 + 6 * 18 + 9))
dblclick 560 "$row6"
xdotool type --delay 60 "7"
key Return       # refused: 380, nothing changes
dblclick 560 "$row6"
xdotool type --delay 60 "0"
key Return       # Appearance = 0: flat
click 138 21     # Run
click 64 96      # an item of the running list
click 226 21     # Save
sleep 0.5
kill -TERM "$pid"
wait "$pid" || true
trap - EXIT

cat "$work/designer.log"
fail() { echo "designer-e2e: $*" >&2; exit 1; }
grep -q "status: Added List1" "$work/designer.log" || fail "no list was added"
grep -q "status: Error 380" "$work/designer.log" || fail "the refused value was not reported"
grep -q "status: Appearance = 0" "$work/designer.log" || fail "the property was not set"
grep -q "status: List1: Click, ListIndex" "$work/designer.log" || fail "the running list was not clicked"
grep -q "status: Saved" "$work/designer.log" || fail "the form was not saved"
grep -q '"Appearance": 0' "$work/form.json" || fail "the saved form lacks the property"
"$designer" --render "$work/form.json" "$work/reloaded.png"
cmp "$work/saved.png" "$work/reloaded.png" || fail "the saved form reloads to other pixels"
echo "designer-e2e: ok"
