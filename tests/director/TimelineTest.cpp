// Demo time, window selection at every bound, the glow and three-word schedules, Ramp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "director/ShowLook.h"
#include "director/Timeline.h"

namespace {

std::vector<std::string> WindowsAt(float t) {
  std::vector<std::string> names;
  for (int i = 0; i < kSceneWindowCount; ++i)
    if (kSceneWindows[i].lower < t && t < kSceneWindows[i].upper) names.push_back(kSceneWindows[i].name);
  return names;
}

bool IsSpectrumBars(const std::string& name) { return name == "spectrum bars"; }

}  // namespace

TEST(DemoTime, LandsOnTheFloatsTheBoundsAreComparedWith) {
  EXPECT_EQ(DemoTimeFromMs(61500), std::nextafter(61.5f, 100.0f));
  EXPECT_EQ(DemoTimeFromMs(130000), 130.0f);
  EXPECT_EQ(DemoTimeFromMs(143000), 143.0f);
  EXPECT_EQ(DemoTimeFromMs(156000), 156.0f);
  EXPECT_EQ(DemoTimeFromMs(222800), 222.8f);
  EXPECT_EQ(DemoTimeFromMs(282000), 282.0f);
  EXPECT_EQ(DemoTimeFromMs(0), 0.0f);
  for (int ms : {85500, 92500, 103000, 116000, 161000, 168000, 175000, 181500, 188500, 209000, 216000, 228000,
                 236000, 250000})
    EXPECT_GT(DemoTimeFromMs(ms), static_cast<float>(ms) / 1000) << ms;
}

TEST(SceneWindows, ExactlyOneSceneAtEveryMillisecondButFourBounds) {
  const int noScene[] = {130000, 143000, 156000, 222800};
  for (int ms = 0; ms < 300000; ++ms) {
    const float t = DemoTimeFromMs(ms);
    int scenes = 0, bars = 0;
    for (const std::string& name : WindowsAt(t)) (IsSpectrumBars(name) ? bars : scenes)++;
    const bool bound = std::find(std::begin(noScene), std::end(noScene), ms) != std::end(noScene);
    ASSERT_EQ(scenes, bound ? 0 : 1) << ms << " ms";
    ASSERT_EQ(bars, t > 161 && t < 188.5f ? 1 : 0) << ms << " ms";
  }
  EXPECT_TRUE(WindowsAt(DemoTimeFromMs(300000)).empty());
}

TEST(SceneWindows, EachBoundHandsOverToTheNextSlot) {
  struct Handover {
    int ms;
    const char* before;
    const char* at;
  };
  const Handover handovers[] = {
      {61500, "planet", "dolphin"},           {85500, "dolphin", "pillar field"},
      {92500, "pillar field", "dolphin, no band"}, {103000, "dolphin, no band", "totem"},
      {116000, "totem", "figure orbit"},      {161000, "picture zoom", "metaball 0"},
      {168000, "metaball 0", "metaball 1"},   {175000, "metaball 1", "metaball 0"},
      {181500, "metaball 0", "metaball 1"},   {188500, "metaball 1", "tunnel"},
      {209000, "tunnel", "pillar rows 0"},    {216000, "pillar rows 0", "pillar rows 1"},
      {228000, "pillar rows 2", "pillar rows 3"}, {236000, "pillar rows 3", "spikeball"},
      {250000, "spikeball", "finale"},
  };
  for (const Handover& h : handovers) {
    EXPECT_EQ(WindowsAt(DemoTimeFromMs(h.ms - 1)).front(), h.before) << h.ms;
    EXPECT_EQ(WindowsAt(DemoTimeFromMs(h.ms)).front(), h.at) << h.ms;
  }
  EXPECT_EQ(WindowsAt(DemoTimeFromMs(130001)).front(), "shaft");
  EXPECT_EQ(WindowsAt(DemoTimeFromMs(222801)).front(), "pillar rows 2");
  EXPECT_EQ(WindowsAt(DemoTimeFromMs(281999)).front(), "finale");
}

TEST(FrameSchedule, GlowAndThreeWordsFollowTheirWindows) {
  auto glowD = [](int ms) { return GlowForTime(DemoTimeFromMs(ms)).gain; };
  EXPECT_EQ(glowD(116000), 1.2f);
  EXPECT_EQ(glowD(130000), 1.0f);  // the bound itself is outside
  EXPECT_EQ(glowD(158000), 0.6f);
  EXPECT_EQ(GlowForTime(DemoTimeFromMs(158000)).powerPasses, 1.0f);
  EXPECT_EQ(glowD(209000), 1.5f);
  EXPECT_EQ(glowD(208999), 1.0f);
  EXPECT_EQ(glowD(10000), 1.0f);

  auto line = [](int ms) {
    const char* text = ThreeWordsLine(DemoTimeFromMs(ms));
    return std::string(text ? text : "");
  };
  EXPECT_EQ(line(158500), "");
  EXPECT_EQ(line(158700), "grom          ");
  EXPECT_EQ(line(159000), "     your     ");
  EXPECT_EQ(line(160999), "          eyes");
  EXPECT_EQ(line(161000), "");
  for (int ms : {158700, 159000, 160000}) EXPECT_EQ(line(ms).size(), 14u);
}

TEST(Ramp, ClampsAndTreatsNotANumberAsBelow) {
  EXPECT_EQ(Ramp(59.5f, 60, 59.0f), 0.0f);
  EXPECT_EQ(Ramp(59.5f, 60, 59.5f), 0.0f);
  EXPECT_EQ(Ramp(59.5f, 60, 59.75f), 0.5f);
  EXPECT_EQ(Ramp(59.5f, 60, 60.0f), 1.0f);
  EXPECT_EQ(Ramp(59.5f, 60, 1e30f), 1.0f);
  EXPECT_EQ(Ramp(59.5f, 60, std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_EQ(Ramp(0, 1, std::numeric_limits<float>::infinity()), 1.0f);
  EXPECT_EQ(Ramp(0, 1, -std::numeric_limits<float>::infinity()), 0.0f);
}
