#!/usr/bin/env bash
# Endings from outside the program, in a real X server: the server going away under it, and
# termination signals, at the dialog, during start-up and during the show. Argument: the build folder.
set -u
cd "${1:?build folder}"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

# Brings the program to a stage: dialog (drawn and waiting), startup (the show's window has just
# appeared, its data still loading) or show (frames running).
reach() {
  start_app
  dialog=$(dialog_window)
  dialog_drawn "$dialog"
  [ "$1" = dialog ] && return
  key "$dialog" Return
  show=$(show_window)
  [ "$1" = show ] && frames_running "$show"
}

# The X server killed (or shut down) under the program: it ends within 3 s with one line on
# stderr and status 1, at every stage; a program caught spinning is reported with its CPU use.
for case in "dialog KILL" "startup KILL" "startup TERM" "show KILL" "show TERM"; do
  read -r stage signal <<<"$case"
  start_xvfb 1024x768x24
  reach "$stage"
  kill -"$signal" "$xvfb"
  wait_app 3
  check "X server $signal at $stage: status 1 within 3 s ($status)" '[ "$status" = 1 ]'
  check "  one line on stderr: $(tr '\n' '|' <"$err")" '[ "$(grep -c "lost the connection to the display server" "$err")" = 1 ]'
  stop_xvfb
done

# Termination signals: status 128 + the signal's number, promptly, at every stage.
start_xvfb 1024x768x24
for case in "dialog TERM 143" "dialog INT 130" "startup HUP 129" "show TERM 143" "show INT 130"; do
  read -r stage signal expected <<<"$case"
  reach "$stage"
  kill -"$signal" "$app"
  wait_app 10
  check "SIG$signal at $stage: status $expected ($status)" '[ "$status" = "$expected" ]'
done
stop_xvfb

# Full screen keeps the screen's own mode, so a signal ends the process at once there too.
start_xvfb 1024x768x24
choose_full_screen
show=$(show_window)
frames_running "$show"
kill -TERM "$app"
wait_app 10
check "SIGTERM in full screen: status 143 ($status)" '[ "$status" = 143 ]'
check "  the screen is 1024 x 768 as before" '[ "$(xwininfo -root | grep -- -geometry | tr -d " ")" = "-geometry1024x768+0+0" ]'

finish
