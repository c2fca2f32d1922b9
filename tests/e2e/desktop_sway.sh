#!/usr/bin/env bash
# The show on a Wayland desktop: a headless sway (1920 x 1080, pixman) with XWayland, through
# both of SDL's drivers: the dialog floats and works by keyboard, the picture sits in the largest
# centred 4:3 rectangle of the tile, of full screen and of a 1600 x 1000 window, sharp at output
# scale 2, and Escape ends with status 0. sway refuses to run as root, so as root it runs as a
# user of its own. Argument: the build folder.
set -u
cd "${1:?build folder}"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/desktop_common.bash"

session_user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  session_user=vexilograph-e2e
  id "$session_user" >/dev/null 2>&1 || useradd --system --no-create-home "$session_user"
fi
as_session_user() { if [ "$(id -un)" = "$session_user" ]; then "$@"; else runuser -u "$session_user" -- "$@"; fi; }

runtime=$(mktemp -d /tmp/vex-e2e-sway.XXXXXX)
chown "$session_user" "$runtime"
chmod 700 "$runtime"
cat >"$runtime/config" <<'CONFIG'
output HEADLESS-1 resolution 1920x1080 scale 1
xwayland enable
CONFIG
chmod 644 "$runtime/config"
as_session_user env -i PATH="$PATH" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman \
  WLR_LIBINPUT_NO_DEVICES=1 sway -c "$runtime/config" >"$runtime/sway.log" 2>&1 &
sway_pid=$!
trap 'kill -9 $app 2>/dev/null; kill $sway_pid 2>/dev/null; wait $sway_pid 2>/dev/null; rm -rf "$runtime" "$reference" "$err" "$shot"' EXIT
export XDG_RUNTIME_DIR=$runtime
wait_until 30 'ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && [ -S "$runtime/wayland-1" ]'
export SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock) WAYLAND_DISPLAY=wayland-1
swaymsg -q exec 'echo $DISPLAY > $XDG_RUNTIME_DIR/x-display'
wait_until 30 '[ -s "$runtime/x-display" ]'
x_display=$(cat "$runtime/x-display")
# XWayland lets only the session's user in; the program may run as another (root).
as_session_user env XDG_RUNTIME_DIR="$runtime" DISPLAY="$x_display" xhost "+si:localuser:$(id -un)" >/dev/null
shot=$(mktemp /tmp/vex-e2e-shot.XXXXXX.png)

# The node sway shows for the program's window named $1: its content rectangle, its type
# (con when tiled, floating_con) and whether it is full screen.
node=""
find_node() {
  node=$(swaymsg -t get_tree | python3 -c '
import json, sys
want, pid = sys.argv[1], int(sys.argv[2])
def walk(n):
    if n.get("pid") == pid and n.get("name") == want:
        r, w = n["rect"], n["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], n["type"], n.get("fullscreen_mode", 0))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$1" "$app" | head -n1)
  [ -n "$node" ]
}
# Starts the program with the driver's environment (x11 or wayland).
driver=""
start_with() {
  driver=$1
  set -m
  if [ "$driver" = x11 ]; then
    env -u WAYLAND_DISPLAY DISPLAY="$x_display" ./vexilograph >/dev/null 2>"$err" &
  else
    env -u DISPLAY SDL_VIDEODRIVER=wayland ./vexilograph >/dev/null 2>"$err" &
  fi
  app=$!
  set +m
}
# Keys to the focused window: xdotool for X clients, wtype for Wayland ones (wtype loses the
# first key of a call, so each call starts with a harmless Shift).
press() { if [ "$driver" = x11 ]; then DISPLAY="$x_display" xdotool key "$@"; else wtype -k Shift_L $(printf -- '-k %s ' "$@"); fi; }
# Until the opening's scanlines show in the window's rectangle (the first frames are running).
shot_of_opening() {
  wait_until 60 'grim "$shot" 2>/dev/null && picture_in "$shot" $1 $2 $3 $4 && [ "${lit%% *}" -lt 1920 ]'
}
# The Left key seeks back to the still opening (5 s a press, never before 0).
back_to_opening() { press Left Left Left Left; }

run_case() {
  local name=$1 chosen=$2 keys=$3 wanted_x=$4 wanted_w=$5
  start_with "$chosen"
  check "$name: the dialog floats at its own size" 'wait_until 30 "find_node \"The Vexilograph settings\"" && [[ "$node" == *" 502 374 floating_con "* ]]'
  # The dialog has drawn once it is on screen; keys before that can be lost with its first events.
  wait_until 30 'grim -g "$(echo $node | awk "{print \$1\",\"\$2+370\" 4x1\"}")" "$shot" 2>/dev/null && [ "$(convert "$shot" -format "%[hex:p{1,0}]" info:)" = D4D0C8 ]'
  press $keys
  check "$name: the show's window appears" 'wait_until 60 "find_node \"The Vexilograph\""'
  read -r cx cy cw ch _ <<<"$node"
  check "$name: the opening fills the centred 4:3 rectangle of the $cw x $ch window, black bars (picture $picture, lit $lit, bars $bars, $psnr dB)" \
    'shot_of_opening $cx $cy $cw $ch && picture_right && [ "${picture%% *}" -eq $((cx + wanted_x)) ] && [ "$(echo $picture | cut -d" " -f3)" -eq "$wanted_w" ]'
}
end_case() {
  local name=$1
  press Escape
  wait_app 30
  check "$name: Escape ends with status 0 ($status)" '[ "$status" = 0 ]'
  check "$name: nothing on stderr but the render size line" '[ "$(grep -vc "^vexilograph: rendering at" "$err")" = 0 ]'
}

# Tiled: sway gives the window the whole output but its title bar and borders.
run_case "XWayland, tiled" x11 Return 258 1404
end_case "XWayland, tiled"
run_case "XWayland, full screen by keyboard" x11 "Tab Tab space Return" 240 1440
check "XWayland, full screen: sway shows it full screen" '[[ "$node" == "0 0 1920 1080 "*" 1" ]]'
end_case "XWayland, full screen"
run_case "Wayland, tiled" wayland Return 258 1404
end_case "Wayland, tiled"
run_case "Wayland, full screen by keyboard" wayland "Tab Tab space Return" 240 1440
end_case "Wayland, full screen"

# A window resized to 1600 x 1000: the picture follows at once, 4:3 and centred.
run_case "XWayland, resized" x11 Return 258 1404
swaymsg -q "[pid=$app] floating enable, resize set width 1600 px height 1000 px, move position 100 20"
check "XWayland, resized: 1600 x 1000" 'wait_until 30 "find_node \"The Vexilograph\" && [[ \"\$node\" == *\" 1600 1000 \"* ]]"'
read -r cx cy cw ch _ <<<"$node"
back_to_opening
check "XWayland, resized: the picture is the centred 1332 x 999 (picture $picture, lit $lit, bars $bars, $psnr dB)" \
  'shot_of_opening $cx $cy $cw $ch && picture_right && [ "$picture" = "$((cx + 134)) $cy 1332 999" ]'
end_case "XWayland, resized"

# Output scale 2: the drawable is 1920 x 1080 device pixels, the picture drawn into it by the
# program instead of a 960 x 540 window enlarged by the compositor.
swaymsg -q output HEADLESS-1 scale 2
run_case "Wayland at scale 2, full screen" wayland "Tab Tab space Return" 240 1440
end_case "Wayland at scale 2, full screen"

finish
