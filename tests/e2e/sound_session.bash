# A private PipeWire session for the sound tests and the sound benchmark: pipewire with a null
# sink of its own configuration (so it comes back with the server), wireplumber, pipewire-pulse,
# the sink's monitor recorded with parecord, and the show's track decoded for comparison.
# Sourced after common.bash, from the build folder; set raise="" first for normal priority.
session_dir=$(mktemp -d /tmp/vex-sound.XXXXXX)
mkdir -p "$session_dir/run" "$session_dir/config/pipewire/pipewire.conf.d" "$session_dir/state"
chmod 700 "$session_dir/run"
cat >"$session_dir/config/pipewire/pipewire.conf.d/vex-sink.conf" <<'EOF'
context.objects = [
  { factory = adapter
    args = {
      factory.name = support.null-audio-sink
      node.name = vex-sink
      media.class = Audio/Sink
      audio.position = [ FL FR ]
    }
  }
]
EOF
export XDG_RUNTIME_DIR=$session_dir/run XDG_CONFIG_HOME=$session_dir/config XDG_STATE_HOME=$session_dir/state
unset PULSE_SERVER PIPEWIRE_REMOTE
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$session_dir/bus" 4>"$session_dir/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$session_dir/bus")
python=/usr/bin/python3
matcher="$(dirname "${BASH_SOURCE[0]}")/sound_match.py"

# The tests raise the servers and the recorder above the machine's other work (where allowed), so
# that they check what the show does, not how busy the machine is; the benchmark measures that,
# at the normal priority. The show itself stays at its normal priority: raised, its renderer's
# threads take the CPU from pipewire-pulse's main loop, which carries the sound.
raise=${raise-nice -n -10}
servers=""
start_servers() {
  $raise pipewire >>"$session_dir/servers.log" 2>&1 &
  servers="$!"
  $raise wireplumber >>"$session_dir/servers.log" 2>&1 &
  servers="$servers $!"
  $raise pipewire-pulse >>"$session_dir/servers.log" 2>&1 &
  servers="$servers $!"
}
stop_servers() { kill -9 $servers 2>/dev/null; wait $servers 2>/dev/null; servers=""; }
# The session is up once pipewire-pulse answers with the null sink as its default.
session_ready() { [ "$(timeout 5 pactl get-default-sink 2>/dev/null)" = vex-sink ]; }

recorder=""
record_file=""
record_start=""
# record FILE: the sink's monitor from now on; record_start is the wall time just before.
record() {
  record_file=$1
  record_start=$(date +%s.%N)
  # Raised in the benchmark too, so that the recorder drops nothing: every gap must be the show's.
  nice -n -10 parecord --device=vex-sink.monitor --raw --format=float32le --rate=44100 --channels=1 --latency-msec=200 \
    "$record_file" 2>>"$session_dir/servers.log" &
  recorder=$!
}
stop_recording() { kill "$recorder" 2>/dev/null; wait "$recorder" 2>/dev/null; recorder=""; }
recorded_seconds() { echo $(($(stat -c %s "$record_file" 2>/dev/null || echo 0) / 176400)); }

track="$session_dir/track.f32"
ffmpeg -v error -i data/music/sonorrak.mp3 -t 70 -f f32le -ac 1 -ar 44100 "$track"

# The recording's second at which the track's start plays; empty until it has.
onset=""
find_onset() { onset=$("$python" "$matcher" onset "$record_file" "$track"); [ -n "$onset" ]; }

# field LINE WORD: the number after WORD in a line of the matcher's output.
field() { sed -n "s/.*$2 \([-0-9.]*\).*/\1/p" <<<"$1"; }

# The granted period of the show's playback stream, as the server set it (node.latency), in ms.
granted_period_ms() {
  timeout 10 pw-dump 2>/dev/null | "$python" -c '
import json, sys
for node in json.load(sys.stdin):
    info = node.get("info") or {}
    props = info.get("props") or {}
    if props.get("media.class") == "Stream/Output/Audio" and info.get("state") == "running":
        num, den = props["node.latency"].split("/")
        print(f"{1000 * int(num) / int(den):.1f}")
        break'
}

end_session() {
  stop_recording
  stop_servers
  kill "$(cat "$session_dir/bus.pid")" 2>/dev/null
  rm -rf "$session_dir"
}
