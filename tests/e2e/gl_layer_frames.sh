#!/usr/bin/env bash
# The browser build's GL 1.x layer, natively: the show at ten times drawn through the layer on
# Mesa's OpenGL ES 3 context and through Mesa's own GL must give the same pictures (PSNR per
# time; only rasterisation may differ). The times cover every kind of drawing the layer
# emulates: wide lines and outlines, fog, sphere maps, display-list captions, the glow's
# rectangle textures and framebuffer copies, points and quadrics. Argument: the build folder.
set -u
build=${1:?build folder}
cd "$build"
times=10000,40000,70000,88000,110000,138000,175000,200000,212000,270000
min_db=40
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

seconds=$(echo "$times" | tr ',' '\n' | awk '{ printf("%s%g", (NR > 1 ? "," : ""), $1 / 1000) }')
./vexilograph-capture --at "$seconds" --out "$out/desktop" 2>/dev/null || { echo "FAIL: desktop capture"; exit 1; }
./vexilograph-capture-gles --at "$seconds" --out "$out/layer" 2>/dev/null || { echo "FAIL: layer capture"; exit 1; }

failures=0
for ms in ${times//,/ }; do
  db=$(compare -metric PSNR "$out/desktop/$ms.png" "$out/layer/$ms.png" null: 2>&1)
  if [ "$db" = inf ] || awk -v d="$db" -v m="$min_db" 'BEGIN { exit !(d + 0 >= m) }'; then
    echo "ok: $ms ms $db dB"
  else
    echo "FAIL: $ms ms $db dB (under $min_db)"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
