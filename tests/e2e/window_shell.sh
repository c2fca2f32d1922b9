#!/usr/bin/env bash
# The real program in a real X server (Xvfb), driven with xdotool: the settings dialog, the show's
# window, its keys, the screen saver, and every way of ending the show. Argument: the build folder.
set -u
cd "${1:?build folder}"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
start_xvfb 1024x768x24

# A private session bus shows the screen-saver requests the program makes to the desktop.
bus_file=$(mktemp /tmp/vex-e2e-bus.XXXXXX)
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$bus_file" 4>"$bus_file.pid"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$bus_file")
requests=$(mktemp /tmp/vex-e2e-saver.XXXXXX)
dbus-monitor "interface='org.freedesktop.ScreenSaver',member='Inhibit'" >"$requests" 2>/dev/null &
monitor=$!
trap 'kill -9 $app 2>/dev/null; kill $monitor $(cat "$bus_file.pid") 2>/dev/null; stop_xvfb; rm -f "$err" "$bus_file" "$bus_file.pid" "$requests"' EXIT
inhibits() { grep -c 'member=Inhibit' "$requests"; }

# The dialog: its size from its font, centred, the banner whole inside its border; the screen
# saver may start while it waits (the X server's own saver, on a 1-second timeout here).
start_app
dialog=$(dialog_window)
check "the dialog appears" '[ -n "$dialog" ]'
dialog_drawn "$dialog"
read -r w h <<<"$(xwininfo -id "$dialog" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')"
read -r x y <<<"$(xwininfo -id "$dialog" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}')"
check "dialog 502 x 374 ($w x $h)" '[ "$w" = 502 ] && [ "$h" = 374 ]'
check "dialog centred ($x, $y)" '[ $(( (1024 - w) / 2 - x )) -ge -1 ] && [ $(( (1024 - w) / 2 - x )) -le 1 ] && [ $(( (768 - h) / 2 - y )) -ge -1 ] && [ $(( (768 - h) / 2 - y )) -le 1 ]'
# Columns 0 and 501 are the border; 1 and 500 the banner's own first and last columns.
edges="$(pixel "$dialog" 0 90) $(pixel "$dialog" 1 90) $(pixel "$dialog" 500 90) $(pixel "$dialog" 501 90)"
check "banner whole in its border ($edges)" '[[ "$edges" =~ ^#000000\ #[0-9A-F]{6}\ #[0-9A-F]{6}\ #000000$ ]] && [[ ! "$edges" =~ ^#000000\ (#000000|#D4D0C8) ]]'
xset s 1 1
check "the screen saver starts while the dialog waits" 'wait_until 30 "[ \"\$(./vex-xsaver)\" = on ]"'
xset s off
check "and the dialog asked the desktop for nothing" '[ "$(inhibits)" = 0 ]'
# Escape does nothing: the Enter after it still opens the show.
key "$dialog" Escape
key "$dialog" Return
show=$(show_window)
check "Escape leaves the dialog open; Enter opens 'The Vexilograph'" '[ -n "$show" ]'
check "client area 800 x 600 at (0, 0)" '[ "$(xwininfo -id "$show" | grep -- -geometry | tr -d " ")" = "-geometry800x600+0+0" ]'

# The screen saver is held off only while the show has the focus and is not minimised (unmapped,
# as this server has no window manager to minimise it): each new hold is a new request.
root=$(xwininfo -root | awk '/Window id/{print $4}')
xdotool windowfocus "$show"
check "focused: the show holds the screen saver off" 'wait_until 30 "[ \$(inhibits) = 1 ]"'
xdotool windowfocus "$root"
xdotool windowfocus "$show"
check "focus lost and regained: released, then held again" 'wait_until 30 "[ \$(inhibits) = 2 ]"'
xdotool windowunmap --sync "$show"
xdotool windowmap --sync "$show"
xdotool windowfocus "$show"
check "minimised and restored: released, then held again" 'wait_until 30 "[ \$(inhibits) = 3 ]"'

# One tap of Escape (press and release at once) ends the show, even on a slow frame.
key "$show" Escape
wait_app
check "one tap of Escape ends the show with status 0 ($status)" '[ "$status" = 0 ]'

open_show
key "$show" F1
wait_app
check "one tap of F1 ends the show with status 0 ($status)" '[ "$status" = 0 ]'

open_show
./vex-xclose "$show"
wait_app
check "a close request ends the show with status 0 ($status)" '[ "$status" = 0 ]'

# Keypad 8 with NumLock off is Up: held, it seeks 5 s a frame until the show is over, long
# before its 282 s would have passed.
open_show
focus "$show"
xdotool keydown KP_Up
wait_app 150
xdotool keyup KP_Up
check "keypad 8 held seeks to the end: status 0 ($status)" '[ "$status" = 0 ]'

start_app
dialog=$(dialog_window)
dialog_drawn "$dialog"
click_widget "$dialog" 245 237
wait_app
check "Exit ends the process with status 0 ($status)" '[ "$status" = 0 ]'
check "no show window appeared after Exit" '[ -z "$(xdotool search --name "^The Vexilograph$" 2>/dev/null)" ]'

# FullScreen checked: no mode switch (this X server has no 800 x 600 mode), the show covers the
# screen at its own 1024 x 768.
choose_full_screen
show=$(show_window)
# The window is found by its name as soon as it is mapped; its size and place may come a moment later.
check "full screen covers the 1024 x 768 screen, no warning box" '[ -n "$show" ] && wait_until 30 "[ \"\$(xwininfo -id \"\$show\" | grep -- -geometry | tr -d \" \")\" = -geometry1024x768+0+0 ]" && ! xwininfo -root -children | grep -q "\"Error\""'
[ -n "$show" ] && key "$show" Escape
wait_app
check "and ends with status 0 ($status)" '[ "$status" = 0 ]'

# No display at all: both registration boxes' texts on stderr, status -1 (255), no hang.
env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 ./vexilograph >/dev/null 2>"$err"
status=$?
check "no display: status 255 (-1), got $status" '[ $status = 255 ]'
check "no display: the messages on stderr" 'grep -q "RegisterClassEx Failed!" "$err" && grep -q "Error Registering Window Class!" "$err"'

finish
