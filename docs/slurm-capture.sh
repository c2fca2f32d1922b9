#!/bin/bash
# The parallel capture as a Slurm array job: task i renders part i of the range without sound;
# a join job that waits for the whole array lays the range's music under the parts.
# Submit from the build folder on a shared filesystem (every node sees it at the same path):
#   FROM=0 TO=282 FPS=60 SIZE=3840x2160 CRF=18 PARTS=64 OUT=show-4k.mp4 docs/slurm-capture.sh
# which submits both jobs (sbatch --array over the parts, then the join with afterok). Tried on
# a one-node Slurm 22.05 (Debian slurm-wlm): the joined file's frames equal a serial capture's.
#SBATCH --job-name=vexilograph-capture
#SBATCH --cpus-per-task=2
#SBATCH --mem=4G
set -euo pipefail

FROM=${FROM:-0} TO=${TO:-282} FPS=${FPS:-60} SIZE=${SIZE:-800x600} CRF=${CRF:-18}
PRESET=${PRESET:-veryfast} PARTS=${PARTS:-16} OUT=${OUT:-show.mp4}
parts="$OUT.parts"

# One line per part, "index from to" in seconds, cut at frame boundaries.
spans() { ./capture-spans "$FROM" "$TO" "$FPS" "$PARTS"; }

case "${1:-submit}" in
  submit)
    mkdir -p "$parts"
    array=$(sbatch --parsable --array=0-$(($(spans | wc -l) - 1)) --output="$parts/%a.log" "$0" part)
    sbatch --dependency=afterok:"$array" --output="$parts/join.log" "$0" join
    ;;
  part)  # one array task: the part on line SLURM_ARRAY_TASK_ID
    read -r index from to < <(spans | sed -n "$((SLURM_ARRAY_TASK_ID + 1))p")
    ./vexilograph-capture --video "$(printf '%s/part-%05d.mp4' "$parts" "$index")" --from "$from" --to "$to" \
      --fps "$FPS" --size "$SIZE" --crf "$CRF" --preset "$PRESET" --no-sound --force
    ;;
  join)  # the music once, then the parts joined by stream copy under it
    ./vexilograph-capture --wav "$parts/sound.wav" --from "$FROM" --to "$TO" --fps "$FPS" --force
    for part in "$parts"/part-*.mp4; do echo "file '$(basename "$part")'"; done > "$parts/list"
    ffmpeg -loglevel error -y -f concat -safe 0 -i "$parts/list" -i "$parts/sound.wav" \
      -map 0:v -map 1:a -c:v copy -c:a aac -b:a 192k -movflags +faststart "$OUT"
    rm -rf "$parts"/part-*.mp4 "$parts/sound.wav" "$parts/list"
    ;;
esac
