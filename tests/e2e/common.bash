# Shared by the end-to-end scripts: a private X server, the program under it, and waits on states
# anyone can observe (windows, pixels, the process itself), each bounded, never a fixed delay.
export SDL_AUDIODRIVER=dummy
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
finish() { echo "$failures failed"; [ "$failures" -eq 0 ]; }

# wait_until SECONDS CONDITION: true once CONDITION holds, false if it never did in time.
# CONDITION is evaluated in here: it names the caller's variables, never positional parameters.
wait_until() {
  local end=$((SECONDS + $1))
  while ! eval "$2"; do [ $SECONDS -ge $end ] && return 1; sleep 0.1; done
}

# Starts Xvfb with the given screen size and points DISPLAY at it; sets xvfb.
xvfb=""
start_xvfb() {
  local fd_file
  fd_file=$(mktemp /tmp/vex-e2e-display.XXXXXX)
  Xvfb -displayfd 9 -screen 0 "$1" -nolisten tcp 9>"$fd_file" >/dev/null 2>&1 &
  xvfb=$!
  wait_until 30 '[ -s "$fd_file" ]'
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}
stop_xvfb() { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }

# The program in the background with job control on, so that it does not start with SIGINT
# ignored as a script's background jobs otherwise do. Sets app; stderr goes to $err.
app=""
err=$(mktemp /tmp/vex-e2e-err.XXXXXX)
start_app() { set -m; ./vexilograph >/dev/null 2>"$err" & app=$!; set +m; }
running() { kill -0 "$app" 2>/dev/null; }
# Waits up to SECONDS (default 30) for the program to end and sets status ("hung" if it did not;
# then it is killed, with its processor use at that moment in the status). It runs in this shell,
# never in $(...): only this shell can collect its child's real status.
status=""
wait_app() {
  if ! wait_until "${1:-30}" '! running'; then
    status="hung at $(ps -o pcpu= -p "$app" | tr -d ' ')% cpu"
    kill -9 "$app" 2>/dev/null; wait "$app" 2>/dev/null; return
  fi
  wait "$app"; status=$?
}
trap 'kill -9 $app 2>/dev/null; stop_xvfb; rm -f "$err"' EXIT

# The dialog's window once it is mapped, and the show's window.
dialog_window() { timeout 30 xdotool search --sync --onlyvisible --pid "$app" 2>/dev/null | head -n1; }
show_window() { timeout 60 xdotool search --sync --onlyvisible --name '^The Vexilograph$' 2>/dev/null | head -n1; }
pixel() { timeout 10 import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n1; }
# The dialog has drawn its first frame once its bottom-left corner shows the dialog's grey.
dialog_drawn() { local window=$1; wait_until 30 '[ "$(pixel "$window" 3 370)" = "#D4D0C8" ]'; }
# Clicks a widget only once it shows it is under the pointer, so the click cannot come before the
# widgets know where they are. Sets hovered to the widget's hovered colour.
hovered=""
click_widget() {
  local window=$1 x=$2 y=$3 before
  before=$(pixel "$window" "$x" "$y")
  xdotool mousemove --window "$window" "$x" "$y"
  wait_until 30 '[ "$(pixel "$window" "$x" "$y")" != "$before" ]'
  hovered=$(pixel "$window" "$x" "$y")
  xdotool click 1
}
# Gives the window the keyboard focus and waits until the X server reports it there, so a key
# sent next cannot land on the window that had it before.
focus() { timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null; }
key() { focus "$1"; xdotool key "$2"; }
# Starts the program, checks FullScreen (waiting until the box shows its mark) and presses OK;
# sets dialog.
choose_full_screen() {
  start_app
  dialog=$(dialog_window)
  dialog_drawn "$dialog"
  click_widget "$dialog" 214 285
  wait_until 30 '[ "$(pixel "$dialog" 214 285)" != "$hovered" ]'
  key "$dialog" Return
}
# Opens the show windowed once the dialog has drawn (a key before that can be lost with the
# window's first events); sets dialog and show.
open_show() { start_app; dialog=$(dialog_window); dialog_drawn "$dialog"; key "$dialog" Return; show=$(show_window); }
# Frames are running once two grabs of the window differ: every scene moves from frame to frame.
grab() { timeout 10 import -window "$1" rgb:- 2>/dev/null | md5sum; }
frames_running() { local window=$1; wait_until 60 '[ "$(grab "$window")" != "$(grab "$window")" ]'; }
