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
# setpriv execs in place, so $! of a background call is the server itself.
as_session_user() {
  if [ "$(id -un)" = "$session_user" ]; then "$@"; return; fi
  setpriv --reuid="$session_user" --regid="$(id -g "$session_user")" --clear-groups "$@"
}

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
weston_pid=""
trap 'kill -9 $app $holder 2>/dev/null; kill $weston_pid $sway_pid 2>/dev/null; wait $sway_pid 2>/dev/null; rm -rf "$runtime" "$reference" "$err" "$shot"' EXIT
export XDG_RUNTIME_DIR=$runtime
wayland_socket() { find "$runtime" -maxdepth 1 -name 'wayland-*' -type s -printf '%f\n' | head -n1; }
wait_until 30 'ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && [ -n "$(wayland_socket)" ]'
export SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock) WAYLAND_DISPLAY=$(wayland_socket)
swaymsg -q exec 'echo $DISPLAY > $XDG_RUNTIME_DIR/x-display'
wait_until 30 '[ -s "$runtime/x-display" ]'
x_display=$(cat "$runtime/x-display")
# XWayland lets only the session's user in; the program may run as another (root).
as_session_user env XDG_RUNTIME_DIR="$runtime" DISPLAY="$x_display" xhost "+si:localuser:$(id -un)" >/dev/null
shot=$(mktemp /tmp/vex-e2e-shot.XXXXXX.png)
output_scale=1

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
# A key to the focused window: xdotool for X clients, wtype for Wayland ones. wtype's keyboard
# waits before its key: SDL 2.26's Wayland driver crashes when a new keyboard arrives with a key
# already down (the README says more).
press() { if [ "$driver" = wayland ]; then wtype -s 300 -k "$1"; else press_x11 key "$1"; fi; }
# xdotool ACTION KEY to the program's newest visible X window, focused first.
press_x11() {
  local window
  window=$(DISPLAY="$x_display" xdotool search --onlyvisible --pid "$app" 2>/dev/null | tail -n1)
  [ -n "$window" ] && DISPLAY="$x_display" timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null
  DISPLAY="$x_display" xdotool "$1" "$2"
}
# A key that may be lost on its way (wtype's keyboard can miss the first): again until CONDITION.
press_until() {
  local key=$1 condition=$2 try
  for try in 1 2 3 4 5; do press "$key"; wait_until 5 "$condition" && return 0; done
  return 1
}
dialog_hash() { grim -g "$dialog_geometry" - 2>/dev/null | md5sum; }
# Each dialog key changes what it shows (the focus moves, the box ticks).
dialog_key() { local before; before=$(dialog_hash); press_until "$1" '[ "$(dialog_hash)" != "$before" ]'; }
# Until the opening's scanlines show in the window's rectangle (the first frames are running).
# Until the show's window has its place and the opening's scanlines show in it (the first frames
# are running); sets cx cy cw ch to the window's content in the shot's pixels.
cx="" cy="" cw="" ch=""
# Down held seeks 5 s back every frame, never before 0, so while it is held the show stands at its
# still opening however slow the machine.
hold_down() {
  if [ "$driver" = wayland ]; then wtype -s 300 -P Down -s 60000 -p Down & holder=$!; return; fi
  press_x11 keydown Down
}
release_down() { if [ "$driver" = wayland ]; then kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null; else press_x11 keyup Down; fi; }
holder=""
shot_of_opening() {
  local end=$((SECONDS + 90)) found=1
  hold_down
  while [ $SECONDS -lt $end ]; do
    if find_node "The Vexilograph" && content_in_pixels && grim -l 0 "$shot" 2>/dev/null &&
       picture_in "$shot" $cx $cy $cw $ch && picture_right; then
      found=0
      break
    fi
    sleep 0.2
  done
  release_down
  return $found
}
# sway speaks in logical pixels, grim's shots in the output's own.
content_in_pixels() {
  read -r cx cy cw ch _ <<<"$node"
  cx=$((cx * output_scale)) cy=$((cy * output_scale)) cw=$((cw * output_scale)) ch=$((ch * output_scale))
}

run_case() {
  local name=$1 chosen=$2 keys=$3 wanted_x=$4 wanted_w=$5 key
  start_with "$chosen"
  check "$name: the dialog floats at its own size" 'wait_until 30 "find_node \"The Vexilograph settings\"" && [[ "$node" == *" 502 374 floating_con "* ]]'
  read -r dx dy _ <<<"$node"
  dialog_geometry="$dx,$dy 502x374"
  # The dialog has drawn once its bottom-left shows its grey; keys before that can be lost.
  wait_until 30 'grim -g "$((dx + 3)),$((dy + 370)) 1x1" "$shot" 2>/dev/null && [ "$(convert "$shot" -format "%[hex:p{0,0}]" info:)" = D4D0C8 ]'
  for key in $keys; do dialog_key "$key"; done
  check "$name: Return opens the show's window" 'press_until Return "find_node \"The Vexilograph\""'
  check "$name: the opening fills the window's centred 4:3 rectangle, black bars" \
    'shot_of_opening && picture_right && [ "${picture%% *}" -eq $((cx + wanted_x)) ] && [ "$(echo $picture | cut -d" " -f3)" -eq "$wanted_w" ]'
  echo "   window $cw x $ch at ($cx, $cy): picture $picture, lit $lit, bars $bars, $psnr dB"
}
end_case() {
  local name=$1
  press_until Escape '! running'
  wait_app 30
  check "$name: Escape ends with status 0 ($status)" '[ "$status" = 0 ]'
  check "$name: nothing on stderr but the render size line" '[ "$(grep -vc "^vexilograph: rendering at" "$err")" = 0 ]'
}

# Tiled: sway gives the window the whole output but its title bar and borders.
run_case "XWayland, tiled" x11 "" 256 1404
end_case "XWayland, tiled"
run_case "XWayland, full screen by keyboard" x11 "Tab Tab space" 240 1440
check "XWayland, full screen: sway shows it full screen" '[[ "$node" == "0 0 1920 1080 "*" 1" ]]'
end_case "XWayland, full screen"
# A window resized to 1600 x 1000 (its frame included): the picture follows at once, 4:3 and
# centred in the content.
run_case "XWayland, resized" x11 "" 256 1404
swaymsg -q "[pid=$app] floating enable, resize set width 1600 px height 1000 px, move position 100 20"
check "XWayland, resized: 1600 x 1000" 'wait_until 30 "find_node \"The Vexilograph\" && [[ \"\$node\" == \"102 45 1596 973 \"* ]]"'
check "XWayland, resized: the picture is the centred 1296 x 972 of the 1596 x 973 content" \
  'shot_of_opening && picture_right && [ "$picture" = "252 46 1296 972" ]'
echo "   window $cw x $ch at ($cx, $cy): picture $picture, lit $lit, bars $bars, $psnr dB"
end_case "XWayland, resized"

run_case "Wayland, tiled" wayland "" 256 1404
end_case "Wayland, tiled"
run_case "Wayland, full screen by keyboard" wayland "Tab Tab space" 240 1440
end_case "Wayland, full screen"

# Output scale 2: the drawable is 1920 x 1080 device pixels, the picture drawn into it by the
# program instead of a 960 x 540 window enlarged by the compositor.
swaymsg -q output HEADLESS-1 scale 2
output_scale=2
run_case "Wayland at scale 2, full screen" wayland "Tab Tab space" 240 1440
end_case "Wayland at scale 2, full screen"

# A compositor with no seat at all (weston, headless, no input devices) would crash SDL's Wayland
# driver as it starts: the program uses X11 where it can, else ends as without a windowing system.
as_session_user env -i PATH="$PATH" XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so \
  --socket=vex-weston --width=1024 --height=768 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
wait_until 30 '[ -S "$runtime/vex-weston" ]'
env -u DISPLAY WAYLAND_DISPLAY=vex-weston SDL_VIDEODRIVER=wayland timeout 60 ./vexilograph >/dev/null 2>"$err"
status=$?
check "no seat, no X display: status 255, not a crash ($status)" '[ "$status" = 255 ] && grep -q "has no seat" "$err"'
app=""
set -m
WAYLAND_DISPLAY=vex-weston DISPLAY="$x_display" SDL_VIDEODRIVER=wayland ./vexilograph >/dev/null 2>"$err" &
app=$!
set +m
check "no seat, an X display: the dialog opens through X11" 'wait_until 30 "DISPLAY=\"$x_display\" xdotool search --onlyvisible --pid $app >/dev/null 2>&1" && grep -q "using X11" "$err"'
kill "$app" "$weston_pid" 2>/dev/null
wait "$app" 2>/dev/null

finish
