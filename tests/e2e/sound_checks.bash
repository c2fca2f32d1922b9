# The sound checks for one SDL backend (the argument of sound_checks): the first minute heard in
# line with the track, then the sound server killed at about 20 s and started again 3 s later.
# Sourced after common.bash, from the build folder.
source "$(dirname "${BASH_SOURCE[0]}")/sound_session.bash"
trap 'kill -9 $app 2>/dev/null; end_session; stop_xvfb; rm -f "$err"' EXIT

within() { awk "BEGIN { exit !($1) }"; }
# Escape ends the show (status 0 checked), the recording stops, and the show's stderr is shown.
end_show() {
  key "$show" Escape
  wait_app
  check "$backend: Escape ends the show with status 0 ($status)" '[ "$status" = 0 ]'
  stop_recording
  echo "the show's stderr:"
  cat "$err"
}
seconds_since() { awk "BEGIN { printf \"%.3f\", $(date +%s.%N) - $1 }"; }

# sound_checks BACKEND [figures]: with "figures", the first minute's lags are printed, not checked.
sound_checks() {
  local backend=$1 inline_checked=yes
  [ "${2:-}" = figures ] && inline_checked=no
  export SDL_AUDIODRIVER=$backend
  start_xvfb 1024x768x24
  start_servers
  check "the private PipeWire session starts" 'wait_until 60 session_ready'

  record "$session_dir/inline.f32"
  open_show
  check "$backend: the track starts playing" 'wait_until 60 find_onset'
  local period
  period=$(granted_period_ms)
  check "$backend: the server grants a period of about 20 ms (${period:-none} ms)" \
    '[ -n "$period" ] && within "$period >= 15 && $period <= 30"'
  local needed=$((${onset%.*} + 61))
  check "$backend: the first minute recorded" 'wait_until 120 "[ \$(recorded_seconds) -ge $needed ]"'
  local inline
  inline=$("$python" "$matcher" inline "$record_file" "$track" "$onset" 60)
  echo "lags of the 5 s pieces (ms/correlation): $inline"
  # Each underrun the server fills with silence puts the sound that much later for good (and the
  # clock with it: it follows the samples taken); a busy machine makes them, the show cannot. So
  # may the first frames' start-up on a busy machine stutter one piece.
  local allowed
  allowed=$(awk "BEGIN { print ${period:-0} + $(field "$inline" gap-ms) + 5 * $(field "$inline" gaps) }")
  if [ "$inline_checked" = yes ]; then
    check "$backend: 11 of the 12 pieces are the track's ($(field "$inline" found) found)" \
      '[ "$(field "$inline" found)" -ge 11 ]'
    check "$backend: their lag stays within a period and the gaps' length ($(field "$inline" spread) ms; $(field "$inline" gaps) gaps, $(field "$inline" gap-ms) ms)" \
      'within "$(field "$inline" spread) <= $allowed"'
  else
    echo "figures only on this backend (README: SDL's PipeWire path on a busy machine)"
  fi
  end_show

  record "$session_dir/before.f32"
  local before_start=$record_start
  open_show
  check "$backend: the track starts again" 'wait_until 60 find_onset'
  needed=$((${onset%.*} + 20))
  check "$backend: 20 s played" 'wait_until 60 "[ \$(recorded_seconds) -ge $needed ]"'
  stop_servers
  local killed_at
  killed_at=$(date +%s.%N)
  stop_recording
  local first second
  first=$(grab "$show")
  sleep 1  # the interval between the two pictures, not a wait for anything
  second=$(grab "$show")
  check "$backend: the picture keeps changing while the server is gone" '[ "$first" != "$second" ]'
  wait_until 10 'within "$(seconds_since "$killed_at") >= 3"'
  start_servers
  local back_at
  back_at=$(date +%s.%N)
  check "$backend: the session comes back" 'wait_until 60 session_ready'
  session_ready || tail -n 20 "$session_dir/servers.log"
  record "$session_dir/after.f32"
  # Where the track's 0 lay by the sound's last second before the server went (after any gaps).
  local track_zero_at
  track_zero_at=$(awk "BEGIN { printf \"%.4f\", $before_start + $("$python" "$matcher" latest "$session_dir/before.f32" "$track" "$onset") }")
  wait_until 30 '[ $(recorded_seconds) -ge 6 ]'
  local resume first_sound track_at correlation
  resume=$("$python" "$matcher" resume "$record_file" "$track")
  read -r first_sound track_at correlation <<<"$resume"
  local returned position_error
  returned=$(awk "BEGIN { printf \"%.2f\", $record_start + ${first_sound:-99} - $back_at }")
  position_error=$(awk "BEGIN { printf \"%.3f\", $record_start + ${first_sound:-99} - ${track_at:-0} - $track_zero_at }")
  echo "sound back ${returned} s after the server's return, ${position_error} s off the show's clock (correlation ${correlation:-none})"
  check "$backend: sound back within 3 s of the server's return (${returned} s)" \
    '[ -n "$resume" ] && within "$returned <= 3"'
  check "$backend: at the show's position (${position_error} s off, correlation ${correlation:-none})" \
    '[ -n "$resume" ] && within "$position_error <= 0.5 && $position_error >= -0.5 && $correlation >= 0.9"'
  check "$backend: one line when the sound is lost, one when it is back" \
    '[ "$(grep -c "sound lost" "$err")" = 1 ] && [ "$(grep -c "sound is back" "$err")" = 1 ]'
  end_show
}
