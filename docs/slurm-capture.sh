#!/bin/bash
# The parallel capture as a Slurm array job: task i renders part i of the range without sound;
# a join job that waits for the whole array lays the range's music under the parts.
# Submit from the build folder on a shared filesystem (every node sees it at the same path):
#   FROM=0 TO=282 FPS=60 SIZE=3840x2160 CRF=18 PARTS=64 OUT=show-4k.mp4 docs/slurm-capture.sh
# which submits both jobs (sbatch --array=0-(PARTS-1), then the join with afterok).
#SBATCH --job-name=vexilograph-capture
#SBATCH --cpus-per-task=2
#SBATCH --mem=4G
set -euo pipefail

FROM=${FROM:-0} TO=${TO:-282} FPS=${FPS:-60} SIZE=${SIZE:-800x600} CRF=${CRF:-18}
PRESET=${PRESET:-veryfast} PARTS=${PARTS:-16} OUT=${OUT:-show.mp4}
parts="$OUT.parts"

# Frame k of a run at fps is drawn at k / fps s rounded half up to the ms, as the tool counts.
ms_of() { awk -v s="$1" 'BEGIN { printf "%d", s * 1000 + 0.5 }'; }
frame_ms() { echo $(( (2000 * $1 + FPS) / (2 * FPS) )); }
first_frame_from() {
  local k=$(( $1 * FPS / 1000 ))
  while [ "$(frame_ms $k)" -lt "$1" ]; do k=$((k + 1)); done
  while [ $k -gt 0 ] && [ "$(frame_ms $((k - 1)))" -ge "$1" ]; do k=$((k - 1)); done
  echo $k
}
seconds() { printf '%d.%03d' $(( $1 / 1000 )) $(( $1 % 1000 )); }

first=$(first_frame_from "$(ms_of "$FROM")")
end=$(first_frame_from "$(ms_of "$TO")")
per=$(( (end - first + PARTS - 1) / PARTS ))

case "${1:-submit}" in
  submit)
    mkdir -p "$parts"
    array=$(sbatch --parsable --array=0-$((PARTS - 1)) --output="$parts/%a.log" "$0" part)
    sbatch --dependency=afterok:"$array" --output="$parts/join.log" "$0" join
    ;;
  part)  # one array task: frames first + i x per up to the next part's first
    i=$SLURM_ARRAY_TASK_ID
    a=$((first + i * per))
    b=$((a + per < end ? a + per : end))
    [ $a -lt $b ] || exit 0
    ./vexilograph-capture --video "$(printf '%s/part-%05d.mp4' "$parts" "$i")" --from "$(seconds "$(frame_ms $a)")" \
      --to "$(seconds "$(frame_ms $b)")" --fps "$FPS" --size "$SIZE" --crf "$CRF" --preset "$PRESET" --no-sound --force
    ;;
  join)  # the music once, then the parts joined by stream copy under it
    ./vexilograph-capture --wav "$parts/sound.wav" --from "$FROM" --to "$TO" --fps "$FPS" --force
    for part in "$parts"/part-*.mp4; do echo "file '$(basename "$part")'"; done > "$parts/list"
    ffmpeg -loglevel error -y -f concat -safe 0 -i "$parts/list" -i "$parts/sound.wav" \
      -map 0:v -map 1:a -c:v copy -c:a aac -b:a 192k -movflags +faststart "$OUT"
    rm -rf "$parts"/part-*.mp4 "$parts/sound.wav" "$parts/list"
    ;;
esac
