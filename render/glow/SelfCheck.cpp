#include "render/glow/SelfCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/RenderSize.h"
#include "render/glow/FoggedPrograms.h"
#include "render/glow/GlowPasses.h"

namespace {
// The check's picture: small, but wide enough for every blur tap and every byte value.
constexpr int kCheckWidth = 64;
constexpr int kCheckHeight = 48;

// Every byte value in every channel, in different orders, so that sums saturate and filtering
// mixes unlike neighbours; the upper half an eighth as bright, so that the last sums stay below
// saturation there and show any difference the earlier passes made. Written unfogged and
// untextured, byte for byte.
void DrawCheckPattern() {
  std::vector<uint8_t> rgb(static_cast<size_t>(kCheckWidth) * kCheckHeight * 3);
  for (size_t i = 0; i < rgb.size() / 3; ++i) {
    const int shift = i / kCheckWidth < kCheckHeight / 2 ? 0 : 3;
    rgb[3 * i] = static_cast<uint8_t>(i) >> shift;
    rgb[3 * i + 1] = static_cast<uint8_t>(i * 7 + 3) >> shift;
    rgb[3 * i + 2] = static_cast<uint8_t>(i * 29 + 101) >> shift;
  }
  glPushAttrib(GL_ENABLE_BIT);
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glWindowPos2i(0, 0);
  glDrawPixels(kCheckWidth, kCheckHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPopAttrib();
}

std::vector<uint8_t> GlowOfCheckPattern(GlowTextures& textures, const GlowSettings& settings,
                                        const GlowShortcuts& shortcuts) {
  DrawCheckPattern();
  DrawGlowPasses(textures, PlanGlow(settings, renderSize.height, glIsEnabled(GL_FOG), shortcuts, textures));
  std::vector<uint8_t> rgb(static_cast<size_t>(kCheckWidth) * kCheckHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kCheckWidth, kCheckHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

// The candidate's bytes against the passes as written for the given settings, unfogged
// (fogRange null) or under linear black fog of that range.
bool MatchesPlainPasses(GlowTextures& textures, const GlowShortcuts& candidate, const GlowSettings* settings,
                        int count, const FogRange* fogRange) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  if (fogRange) {
    const GLfloat black[4] = {0, 0, 0, 1};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, black);
    glFogf(GL_FOG_START, fogRange->start);
    glFogf(GL_FOG_END, fogRange->end);
  }
  bool same = true;
  for (int g = 0; g < count && same; ++g) {
    if (fogRange) glEnable(GL_FOG);  // the glow switches nothing back on
    const std::vector<uint8_t> plain = GlowOfCheckPattern(textures, settings[g], GlowShortcuts{});
    if (fogRange) glEnable(GL_FOG);
    same = GlowOfCheckPattern(textures, settings[g], candidate) == plain;
  }
  glPopAttrib();
  return same;
}

// The first candidate, in the order given, that gives the passes' bytes: each with the half
// targets first where they exist, then without; none when none does.
template <int count>
GlowShortcuts FirstMatch(GlowTextures& textures, const GlowShortcuts (&candidates)[count], const GlowSettings* settings,
                         int settingsCount, const FogRange* fogRange) {
  for (GlowShortcuts candidate : candidates) {
    if (textures.targets.ready) {
      candidate.targets = true;
      if (MatchesPlainPasses(textures, candidate, settings, settingsCount, fogRange)) return candidate;
      candidate.targets = false;
    }
    if (MatchesPlainPasses(textures, candidate, settings, settingsCount, fogRange)) return candidate;
  }
  return {};
}

}  // namespace

GlowCheckRun BeginGlowCheck(const GlowCheckCases& cases) {
  GlowCheckRun run;
  ProvedShortcuts& proved = run.proved;
  proved.unfoggedCount = std::min(cases.unfoggedCount, kMaxCheckedGlows);
  std::copy_n(cases.unfogged, proved.unfoggedCount, proved.unfoggedSettings);
  proved.foggedSettings = cases.fogged;
  proved.fogRangeCount = std::min(cases.fogRangeCount, kMaxCheckedFogRanges);
  std::copy_n(cases.fogRanges, proved.fogRangeCount, proved.fogRanges);
  return run;
}

// Under fog everything is tried first, then without the blur program, then the sums alone.
bool ContinueGlowCheck(GlowCheckRun& run, const char* extensions) {
  ProvedShortcuts& proved = run.proved;
  const int step = run.nextStep;
  if (step > proved.fogRangeCount) return false;
  ++run.nextStep;
  if (step == 0) {
    run.textures = CreateGlowTextures(kCheckWidth, kCheckHeight, extensions);
    const GlowShortcuts unfogged[2] = {{true, false, false}, {}};
    proved.unfogged = FirstMatch(run.textures, unfogged, proved.unfoggedSettings, proved.unfoggedCount, nullptr);
    run.program = CreateFoggedGlowPrograms();
  } else {
    const int i = step - 1;
    const GlowShortcuts fogged[4] = {
        {true, run.program, run.program}, {true, run.program, false}, {true, false, false}, {}};
    proved.fogged[i] = FirstMatch(run.textures, fogged, &proved.foggedSettings, 1, &proved.fogRanges[i]);
  }
  if (step < proved.fogRangeCount) return true;
  DeleteGlowTextures(run.textures);
  return false;
}

GlowShortcuts ProvedFor(const ProvedShortcuts& proved, const GlowSettings& settings) {
  if (!glIsEnabled(GL_FOG)) {
    for (int i = 0; i < proved.unfoggedCount; ++i)
      if (settings == proved.unfoggedSettings[i]) return proved.unfogged;
    return {};
  }
  if (!(settings == proved.foggedSettings) || !FogIsLinearBlack()) return {};
  GLfloat start = 0, end = 0;
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  for (int i = 0; i < proved.fogRangeCount; ++i)
    if (proved.fogRanges[i].start == start && proved.fogRanges[i].end == end) return proved.fogged[i];
  return {};
}
