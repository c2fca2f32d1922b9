#!/usr/bin/env bash
# The show under a real X11 window manager (openbox) on a 1920 x 1080 screen with no 800 x 600
# mode: the dialog by keyboard, an 800 x 600 window drawn as ever, a window resized to
# 1600 x 1000 and full screen, each with the picture in its centred 4:3 rectangle, and Escape
# ending with status 0. Argument: the build folder.
set -u
cd "${1:?build folder}"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/desktop_common.bash"
start_xvfb 1920x1080x24
openbox >/dev/null 2>&1 &
window_manager=$!
shot=$(mktemp /tmp/vex-e2e-shot.XXXXXX.png)
trap 'kill -9 $app 2>/dev/null; kill $window_manager 2>/dev/null; stop_xvfb; rm -rf "$err" "$shot" "$reference"' EXIT
wait_until 30 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window'

# The show window's client area on the screen.
cx="" cy="" cw="" ch=""
client_area() {
  read -r cx cy cw ch <<<"$(xwininfo -id "$show" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')"
}
# Until the opening shows in the window. Down held seeks 5 s back every frame, never before 0, so
# while it is held the show stands at its still opening however slow the machine.
shot_of_opening() {
  local end=$((SECONDS + 90)) found=1
  focus "$show"
  xdotool keydown Down
  while [ $SECONDS -lt $end ]; do
    client_area
    if import -window root -depth 8 "$shot" 2>/dev/null && picture_in "$shot" $cx $cy $cw $ch && picture_right; then
      found=0
      break
    fi
    sleep 0.2
  done
  xdotool keyup Down
  return $found
}
report() { echo "   window $cw x $ch at ($cx, $cy): picture $picture, lit $lit, bars $bars, $psnr dB"; }
open_by_keys() {
  start_app
  dialog=$(dialog_window)
  dialog_drawn "$dialog"
  local k
  for k in "$@"; do key "$dialog" "$k"; done
  show=$(show_window)
}

open_by_keys Return
check "windowed: an 800 x 600 client area, the picture 1:1" \
  'wait_until 30 "client_area; [ \"\$cw \$ch\" = \"800 600\" ]" && shot_of_opening && picture_right 60'
report
xdotool windowsize --sync "$show" 1600 1000
check "resized to 1600 x 1000: the picture is the centred 1332 x 999" \
  'wait_until 30 "client_area; [ \"\$cw \$ch\" = \"1600 1000\" ]" && shot_of_opening && [ "$picture" = "$((cx + 134)) $((cy + 1)) 1332 999" ]'
report
key "$show" Escape
wait_app
check "windowed: Escape ends with status 0 ($status)" '[ "$status" = 0 ]'

# FullScreen ticked by keyboard: Tab to OK, Tab to FullScreen, space ticks it, Enter.
open_by_keys Tab Tab space Return
check "full screen: the window covers the 1920 x 1080 screen" 'wait_until 30 "client_area; [ \"\$cx \$cy \$cw \$ch\" = \"0 0 1920 1080\" ]"'
check "full screen: the picture is the centred 1440 x 1080, black bars" 'shot_of_opening && [ "$picture" = "240 0 1440 1080" ]'
report
check "full screen: no warning box" '! xwininfo -root -children | grep -q "\"Error\""'
key "$show" Escape
wait_app
check "full screen: Escape ends with status 0 ($status)" '[ "$status" = 0 ]'
check "nothing on stderr but the render size line" '[ "$(grep -vc "^vexilograph: rendering at" "$err")" = 0 ]'

finish
