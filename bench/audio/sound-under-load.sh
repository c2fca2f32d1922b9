#!/usr/bin/env bash
# The show's sound on a busy machine: for each SDL backend, a private PipeWire session, two busy
# loops beside the show, its first SECONDS recorded from the sink and laid against the track.
# Prints per backend the period the server runs the graph at, the stream's period, the
# underruns the server counted for the stream, the gaps heard, and how far the sound drifted.
# Figures, not a test. Run from the build folder:
#   bench/audio/sound-under-load.sh [SECONDS (40)] [PROGRAM (./vexilograph)] [BACKENDS]
set -u
seconds=${1:-40}
program=${2:-./vexilograph}
backends=${3:-pulseaudio pipewire}
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../tests/e2e/common.bash"
raise=""
source "$here/../../tests/e2e/sound_session.bash"
start_app() { set -m; "$program" >/dev/null 2>"$err" & app=$!; set +m; }
loops=""
trap 'kill -9 $app $loops 2>/dev/null; end_session; stop_xvfb; rm -f "$err"' EXIT

# pw-top's columns for a node (QUANT, ERR), read from its screen through a pseudo-terminal.
top_columns() {
  TERM=xterm script -qc "timeout 2.5 pw-top" /dev/null | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' | tr '\r' '\n' |
    grep -ao "R *$1 *[0-9]* *[0-9]* *[^ ]* *[^ ]* *[^ ]* *[^ ]* *[0-9]*" | tail -n1 | awk '{ print $3, $9 }'
}
# The node ids of the sink and of the show's running stream.
nodes() {
  timeout 10 pw-dump 2>/dev/null | /usr/bin/python3 -c '
import json, sys
sink = stream = ""
for node in json.load(sys.stdin):
    info = node.get("info") or {}
    props = info.get("props") or {}
    if props.get("node.name") == "vex-sink":
        sink = node["id"]
    if props.get("media.class") == "Stream/Output/Audio" and info.get("state") == "running":
        stream = node["id"]
print(sink, stream)'
}

start_xvfb 1024x768x24
start_servers
wait_until 60 session_ready || { echo "no PipeWire session"; exit 1; }
printf '%-11s %8s %10s %6s %6s %8s %9s %9s\n' backend "graph" "stream ms" xruns gaps "gap ms" "drift ms" "spread ms"
for backend in $backends; do
  export SDL_AUDIODRIVER=$backend
  sh -c 'while :; do :; done' & loops="$!"
  sh -c 'while :; do :; done' & loops="$loops $!"
  record "$session_dir/$backend.f32"
  open_show
  wait_until 60 find_onset || { echo "$backend: the track never played"; kill -9 $loops; continue; }
  read -r sink stream <<<"$(nodes)"
  period=$(granted_period_ms)
  needed=$((${onset%.*} + seconds + 1))
  wait_until $((seconds * 3)) '[ $(recorded_seconds) -ge $needed ]'
  read -r quantum _ <<<"$(top_columns "$sink")"
  read -r _ xruns <<<"$(top_columns "$stream")"
  result=$("$python" "$matcher" inline "$record_file" "$track" "$onset" "$seconds")
  key "$show" Escape
  wait_app
  stop_recording
  kill -9 $loops 2>/dev/null; wait $loops 2>/dev/null; loops=""
  printf '%-11s %8s %10s %6s %6s %8s %9s %9s\n' "$backend" "${quantum:-?}/48k" "${period:-?}" "${xruns:-?}" \
    "$(field "$result" gaps)" "$(field "$result" gap-ms)" "$(field "$result" drift)" "$(field "$result" spread)"
done
