# Shared by the desktop scripts: the show's still opening (black, scanlines only, before 4 s) read
# off a screenshot against the capture tool's frame at 2 s, resized.
reference=$(mktemp -d /tmp/vex-e2e-reference.XXXXXX)
./vexilograph-capture --at 2 --out "$reference" >/dev/null 2>&1
reference_frame="$reference/2000.png"

# picture_in SHOT X Y W H: sets picture (x y w h of the expected 4:3 rectangle), lit (left top
# right bottom of the lit pixels), bars (brightest bar pixel) and psnr (dB against the reference).
picture="" lit="" bars="" psnr=""
picture_in() {
  local line
  line=$(./vex-picture-check "$1" "$reference_frame" "$2" "$3" "$4" "$5")
  read -r _ p1 p2 p3 p4 _ l1 l2 l3 l4 _ bars _ psnr <<<"$line"
  picture="$p1 $p2 $p3 $p4" lit="$l1 $l2 $l3 $l4"
}
# The picture fills its rectangle edge to edge (the scanlines run the full width), the bars are
# black and the picture is the reference's (the still opening: no fixed timing needed).
picture_right() {
  read -r px py pw ph <<<"$picture"
  read -r ll lt lr lb <<<"$lit"
  [ "$ll" -ge $((px - 1)) ] && [ "$ll" -le $((px + 1)) ] && [ "$lr" -ge $((px + pw - 2)) ] && [ "$lr" -le $((px + pw)) ] &&
    [ "$bars" -le 8 ] && awk -v p="$psnr" -v m="${1:-30}" 'BEGIN { exit !(p >= m) }'
}
