// Tileable circuit boards: chips with pins, traces routed on a wrapping 8-pixel grid in
// 45-degree steps, pads and vias, drawn as anti-aliased masks and coloured per board.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/texgen/Noise.h"
#include "tools/texgen/Shapes.h"
#include "tools/texgen/Textures.h"

namespace {

constexpr int kSize = 256;
constexpr int kPitch = 8;                 // pixels between grid nodes
constexpr int kNodes = kSize / kPitch;    // nodes per side; the grid wraps
constexpr int kSteps[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};

struct BoardMasks {
  Plane traces{kSize, kSize};
  Plane pads{kSize, kSize};
  Plane holes{kSize, kSize};
  Plane chips{kSize, kSize};
  Plane chipRims{kSize, kSize};
  Plane silk{kSize, kSize};
};

struct Router {
  std::vector<bool> node = std::vector<bool>(kNodes * kNodes, false);
  // Diagonal moves claim the grid square they cross, so two diagonals never cross there.
  std::vector<bool> square = std::vector<bool>(kNodes * kNodes, false);

  static int Wrap(int i) { return ((i % kNodes) + kNodes) % kNodes; }
  bool Used(int x, int y) const { return node[Wrap(y) * kNodes + Wrap(x)]; }
  void Claim(int x, int y) { node[Wrap(y) * kNodes + Wrap(x)] = true; }
  bool SquareUsed(int x, int y) const { return square[Wrap(y) * kNodes + Wrap(x)]; }
  void ClaimSquare(int x, int y) { square[Wrap(y) * kNodes + Wrap(x)] = true; }
};

float NodePixel(int n) { return n * kPitch + kPitch / 2.f; }

// Walks a trace from a claimed start node; returns the number of segments laid.
int RouteTrace(Router& router, BoardMasks& masks, int x, int y, int direction, int maxLength, float width, uint32_t seed) {
  int length = 0;
  for (int step = 0; step < maxLength; ++step) {
    int turn = 0;
    const float roll = HashUnit(step, x * 64 + y, direction, seed);
    if (step > 1 && roll < 0.22f) turn = roll < 0.11f ? 1 : -1;
    int next = (direction + turn + 8) % 8;
    int nx = x + kSteps[next][0], ny = y + kSteps[next][1];
    const bool diagonal = next % 2 == 1;
    const int sx = std::min(x, nx), sy = std::min(y, ny);
    if (router.Used(nx, ny) || (diagonal && router.SquareUsed(sx, sy))) {
      if (turn != 0) break;
      next = direction;
      break;
    }
    router.Claim(nx, ny);
    if (diagonal) router.ClaimSquare(sx, sy);
    PaintCapsule(masks.traces, NodePixel(x), NodePixel(y), NodePixel(nx), NodePixel(ny), width);
    x = nx, y = ny, direction = next;
    ++length;
  }
  if (length == 0) return 0;
  // Ends in a pad or a via.
  if (HashUnit(x, y, 9, seed) < 0.5f) {
    PaintDisc(masks.pads, NodePixel(x), NodePixel(y), width + 1.8f);
  } else {
    PaintDisc(masks.pads, NodePixel(x), NodePixel(y), width + 2.2f);
    PaintDisc(masks.holes, NodePixel(x), NodePixel(y), 1.3f);
  }
  return length;
}

void PlaceChip(Router& router, BoardMasks& masks, int left, int top, int columns, int rows, uint32_t seed) {
  for (int y = top - 1; y <= top + rows; ++y) {
    for (int x = left - 1; x <= left + columns; ++x) router.Claim(x, y);
  }
  const float x0 = left * kPitch + 2.f, y0 = top * kPitch + 2.f;
  const float x1 = (left + columns) * kPitch - 2.f, y1 = (top + rows) * kPitch - 2.f;
  PaintRect(masks.chips, x0, y0, x1, y1, 1.5f);
  PaintRect(masks.chipRims, x0 - 1, y0 - 1, x1 + 1, y1 + 1, 2);
  PaintDisc(masks.silk, x0 + 5, y0 + 5, 1.6f);
  // Pins along the long sides, each continuing as a trace away from the chip.
  const bool wide = columns >= rows;
  const int pins = wide ? columns : rows;
  for (int i = 0; i < pins; ++i) {
    for (int side = 0; side < 2; ++side) {
      const int px = wide ? left + i : (side ? left + columns : left - 1);
      const int py = wide ? (side ? top + rows : top - 1) : top + i;
      const float cx = NodePixel(px), cy = NodePixel(py);
      PaintRect(masks.pads, cx - (wide ? 1.8f : 3.5f), cy - (wide ? 3.5f : 1.8f), cx + (wide ? 1.8f : 3.5f), cy + (wide ? 3.5f : 1.8f), 0.5f);
      if (HashUnit(i, side, 5, seed) < 0.7f) {
        const int direction = wide ? (side ? 2 : 6) : (side ? 0 : 4);
        RouteTrace(router, masks, px, py, direction, 3 + static_cast<int>(HashUnit(i, side, 6, seed) * 10), 1.1f, seed + i * 13 + side);
      }
    }
  }
}

BoardMasks LayOutBoard(uint32_t seed) {
  BoardMasks masks;
  Router router;
  // One chip plan for every board, moved as a whole (the grid wraps) so that boards differ.
  static const int kChips[4][4] = {{3, 4, 8, 4}, {18, 2, 4, 9}, {8, 19, 10, 3}, {23, 20, 5, 5}};
  const int boardX = static_cast<int>(HashUnit(0, 0, 7, seed) * kNodes), boardY = static_cast<int>(HashUnit(0, 1, 7, seed) * kNodes);
  for (int i = 0; i < 4; ++i) {
    const int shift = static_cast<int>(HashUnit(i, 0, 1, seed) * 4);
    PlaceChip(router, masks, kChips[i][0] + shift + boardX, kChips[i][1] + shift / 2 + boardY, kChips[i][2], kChips[i][3], seed + 100 * i);
  }
  // Free traces fill the rest: wide power lines first, then signal traces.
  for (int i = 0; i < 260; ++i) {
    const int x = static_cast<int>(HashUnit(i, 1, 2, seed) * kNodes), y = static_cast<int>(HashUnit(i, 2, 2, seed) * kNodes);
    if (router.Used(x, y)) continue;
    router.Claim(x, y);
    const int direction = static_cast<int>(HashUnit(i, 3, 2, seed) * 4) * 2;
    const bool power = i < 14;
    const int laid = RouteTrace(router, masks, x, y, direction, power ? 24 : 4 + static_cast<int>(HashUnit(i, 4, 2, seed) * 14),
                                power ? 2.2f : 1.1f, seed + 1000 + i);
    if (laid > 0) PaintDisc(masks.pads, NodePixel(x), NodePixel(y), power ? 3.6f : 2.8f);
  }
  // Silkscreen: small component outlines in the remaining free nodes.
  for (int i = 0; i < 40; ++i) {
    const int x = static_cast<int>(HashUnit(i, 5, 2, seed) * kNodes), y = static_cast<int>(HashUnit(i, 6, 2, seed) * kNodes);
    if (router.Used(x, y) || router.Used(x + 1, y)) continue;
    router.Claim(x, y), router.Claim(x + 1, y);
    const float cx = NodePixel(x) + kPitch / 2.f, cy = NodePixel(y);
    PaintRect(masks.silk, cx - 6, cy - 2.5f, cx + 6, cy + 2.5f, 1);
    PaintRect(masks.chips, cx - 4.5f, cy - 1.5f, cx + 4.5f, cy + 1.5f, 0.5f);
    PaintRect(masks.pads, cx - 7, cy - 2, cx - 4.5f, cy + 2, 0.3f);
    PaintRect(masks.pads, cx + 4.5f, cy - 2, cx + 7, cy + 2, 0.3f);
  }
  return masks;
}

struct BoardColours {
  Rgb board;
  Rgb boardAlt;  // the weave of the substrate
  Rgb trace;
  Rgb pad;
  Rgb chip;
  Rgb chipRim;
  Rgb silk;
  float traceGlow;  // light spilling around traces (for the additive board)
};

Canvas PaintBoard(const BoardMasks& masks, const BoardColours& colours, uint32_t seed) {
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float weave = PeriodicFbm(u * 32, v * 32, 32, 32, 2, 0.5f, seed) * 0.5f + 0.5f;
      const float mottle = PeriodicFbm(u * 4, v * 4, 4, 4, 4, 0.5f, seed + 1);
      Rgb colour = Mix(colours.board, colours.boardAlt, weave * 0.5f + mottle * 0.25f);
      // Traces sit under the solder mask: a little darker copper with a lit upper edge.
      const float trace = masks.traces.At(x, y);
      const float above = masks.traces.At(x, (y + kSize - 1) % kSize);
      float glow = 0;
      if (colours.traceGlow > 0) {
        for (int d = 1; d <= 3; ++d) {
          glow += masks.traces.At((x + d) % kSize, y) + masks.traces.At((x + kSize - d) % kSize, y) +
                  masks.traces.At(x, (y + d) % kSize) + masks.traces.At(x, (y + kSize - d) % kSize);
        }
        colour = colour + colours.trace * (colours.traceGlow * glow / 12);
      }
      colour = Mix(colour, colours.trace * (0.85f + 0.3f * (trace - above + 0.5f)), trace);
      colour = Mix(colour, colours.silk, masks.silk.At(x, y) * (1 - masks.chips.At(x, y)) * 0.85f);
      colour = Mix(colour, colours.chipRim, masks.chipRims.At(x, y));
      colour = Mix(colour, colours.chip * (0.9f + 0.2f * mottle), masks.chips.At(x, y));
      colour = Mix(colour, colours.pad * (0.9f + 0.15f * weave), masks.pads.At(x, y));
      colour = Mix(colour, Hex(0x050505), masks.holes.At(x, y));
      canvas.Set(x, y, colour);
    }
  }
  return canvas;
}

}  // namespace

Canvas MakePcb() {
  return PaintBoard(LayOutBoard(131), {Hex(0x0E4A22), Hex(0x1A6A30), Hex(0x2F9A48), Hex(0xE8C060), Hex(0x17171A), Hex(0x0C0C0E), Hex(0xE8F0E0), 0}, 132);
}

Canvas MakePcb2() {
  return PaintBoard(LayOutBoard(141), {Hex(0x0C2A66), Hex(0x163C86), Hex(0x2E62B8), Hex(0xD8DCE4), Hex(0x141418), Hex(0x0A0A0C), Hex(0xF0F0F0), 0}, 142);
}

Canvas MakePcb3() {
  return PaintBoard(LayOutBoard(151), {Hex(0x020304), Hex(0x06080A), Hex(0x30FFB0), Hex(0xC0FFF0), Hex(0x0A1A18), Hex(0x30FFB0), Hex(0x40A090), 0.35f}, 152);
}
