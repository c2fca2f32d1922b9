#!/usr/bin/env bash
# The real program in a real X server (Xvfb), driven with xdotool: the settings dialog, the show's
# window, and every way of ending the show. Argument: the build folder.
set -u
build=${1:?build folder}
cd "$build"
export SDL_AUDIODRIVER=dummy

failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }

exec 9>/tmp/vex-xvfb-displayfd.$$
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'pkill -9 -P $$ vexilograph 2>/dev/null; kill $xvfb 2>/dev/null; rm -f /tmp/vex-xvfb-displayfd.$$' EXIT
for _ in $(seq 50); do [ -s /tmp/vex-xvfb-displayfd.$$ ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 /tmp/vex-xvfb-displayfd.$$)"

app=""
start_app() { ./vexilograph >/tmp/vex-e2e-out.$$ 2>&1 & app=$!; }
# Waits up to 10 s for the program to end and sets status. It runs in this shell, never in $(...):
# this shell reaps its children, so a wait in a subshell can miss the program's real status.
status=""
wait_app() {
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then kill -9 "$app"; wait "$app" 2>/dev/null; status="hung"; return; fi
  wait "$app"; status=$?
}
# The dialog lays its controls out in its first frames; a click before then hits nothing, so
# a click waits a moment after the window shows.
dialog_window() { timeout 15 xdotool search --sync --onlyvisible --pid "$app" 2>/dev/null | head -n1; sleep 0.5; }
# The window shows before start-up has loaded the data; keys only act once frames run.
show_window() { timeout 15 xdotool search --sync --onlyvisible --name '^The Vexilograph$' 2>/dev/null | head -n1; sleep 2; }
geometry() { xdotool getwindowgeometry "$1" | tr -d ' ' | awk -F: '/Position/{split($2,p,"(");print "pos=" p[1]} /Geometry/{print "size=" $2}' | tr '\n' ' '; }
# Keys act while held (the loop reads the key table once per frame), so hold each one briefly.
press() { xdotool windowfocus "$1" 2>/dev/null; xdotool mousemove --window "$1" 10 10; xdotool keydown "$2"; sleep 0.15; xdotool keyup "$2"; }
# Sets show; like start_app it must run in this shell, or app would name a subshell's child.
open_show() { start_app; local d; d=$(dialog_window); press "$d" Return; show=$(show_window); }
# A key pressed while start-up still loads the data is never seen (slow under load), so press
# it again until the program ends, a few times at most; sets status as wait_app does.
end_with() {
  for _ in 1 2 3 4 5; do
    press "$1" "$2"
    for _ in $(seq 20); do kill -0 "$app" 2>/dev/null || break 2; sleep 0.1; done
  done
  wait_app
}

# The dialog: centred, about 430 x 374; Escape leaves it open; Enter opens the show's window.
start_app
dialog=$(dialog_window)
check "the dialog appears" '[ -n "$dialog" ]'
geo=$(geometry "$dialog")
read -r w h <<<"$(echo "$geo" | sed -E 's/.*size=([0-9]+)x([0-9]+).*/\1 \2/')"
read -r x y <<<"$(echo "$geo" | sed -E 's/pos=([0-9]+),([0-9]+).*/\1 \2/')"
check "dialog about 430 x 374 ($w x $h)" '[ $((w - 430)) -ge -2 ] && [ $((w - 430)) -le 2 ] && [ $((h - 374)) -ge -2 ] && [ $((h - 374)) -le 2 ]'
check "dialog centred ($x, $y)" '[ $(( (1024 - w) / 2 - x )) -ge -2 ] && [ $(( (1024 - w) / 2 - x )) -le 2 ] && [ $(( (768 - h) / 2 - y )) -ge -2 ] && [ $(( (768 - h) / 2 - y )) -le 2 ]'
press "$dialog" Escape
sleep 0.7
check "Escape leaves the dialog open" 'kill -0 $app 2>/dev/null && xdotool getwindowname "$dialog" >/dev/null 2>&1'
press "$dialog" Return
show=$(show_window)
check "Enter opens 'The Vexilograph'" '[ -n "$show" ]'
check "client area 800 x 600 at (0, 0): $(geometry "$show")" '[ "$(geometry "$show")" = "pos=0,0 size=800x600 " ]'
end_with "$show" Escape
check "Escape ends the show with status 0" '[ "$status" = 0 ]'

open_show
end_with "$show" F1
check "F1 ends the show with status 0" '[ "$status" = 0 ]'

open_show
./vex-xclose "$show"
wait_app
check "a close request ends the show with status 0" '[ "$status" = 0 ]'

start_app
dialog=$(dialog_window)
xdotool mousemove --window "$dialog" 210 237 click 1
wait_app
check "Exit ends the process with status 0" '[ "$status" = 0 ]'
check "no show window appeared after Exit" '[ -z "$(xdotool search --name "^The Vexilograph$" 2>/dev/null)" ]'

# FullScreen checked: this X server has no 800 x 600 mode, so the warning box comes first and
# the show opens windowed once it is dismissed.
start_app
dialog=$(dialog_window)
xdotool mousemove --window "$dialog" 185 285 click 1
sleep 0.3
xdotool mousemove --window "$dialog" 210 215 click 1
box=""
for _ in $(seq 100); do
  box=$(xwininfo -root -children | awk '$2 == "\"Error\":" {print $1; exit}')
  [ -n "$box" ] && break
  sleep 0.1
done
check "a failed mode switch shows the warning box" '[ -n "$box" ]'
[ -n "$box" ] && press "$(printf %d "$box")" Return
show=$(show_window)
check "then the show opens windowed, 800 x 600" '[ -n "$show" ] && [ "$(geometry "$show")" = "pos=0,0 size=800x600 " ]'
if [ -n "$show" ]; then end_with "$show" Escape; else wait_app; fi
check "and ends with status 0" '[ "$status" = 0 ]'

# No display at all: both registration boxes' texts on stderr, status -1 (255), no hang.
env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 ./vexilograph >/dev/null 2>/tmp/vex-e2e-out.$$
status=$?
check "no display: status 255 (-1), got $status" '[ $status = 255 ]'
check "no display: the messages on stderr" 'grep -q "RegisterClassEx Failed!" /tmp/vex-e2e-out.$$ && grep -q "Error Registering Window Class!" /tmp/vex-e2e-out.$$'

rm -f /tmp/vex-e2e-out.$$
echo "$failures failed"
[ "$failures" -eq 0 ]
