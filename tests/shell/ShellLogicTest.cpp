// The shell's pure logic: key translation, dialog layout, and the order of the key actions.
#include <gtest/gtest.h>

#include "platform/KeyMap.h"
#include "platform/DialogFont.h"
#include "shell/BannerImage.h"
#include "shell/DialogLayout.h"
#include "shell/KeyActions.h"

namespace {

// USB HID usage IDs (SDL scancodes).
constexpr int kHidA = 4, kHidZ = 29, kHid1 = 30, kHid9 = 38, kHid0 = 39, kHidReturn = 40, kHidEscape = 41,
              kHidSpace = 44, kHidF1 = 58, kHidF10 = 67, kHidF12 = 69, kHidRight = 79, kHidLeft = 80,
              kHidDown = 81, kHidUp = 82, kHidKeypad2 = 90, kHidKeypad4 = 92, kHidKeypad6 = 94,
              kHidKeypad8 = 96, kHidKeypadEnter = 88;

TEST(KeyMap, TranslatesTheKeysTheShowReadsToVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(kHidEscape, false), 27);
  EXPECT_EQ(VirtualKeyFromScancode(kHidF1, false), 112);
  EXPECT_EQ(VirtualKeyFromScancode(kHidLeft, false), 37);
  EXPECT_EQ(VirtualKeyFromScancode(kHidUp, false), 38);
  EXPECT_EQ(VirtualKeyFromScancode(kHidRight, false), 39);
  EXPECT_EQ(VirtualKeyFromScancode(kHidDown, false), 40);
  EXPECT_EQ(VirtualKeyFromScancode(kHidReturn, false), 13);
  EXPECT_EQ(VirtualKeyFromScancode(kHidSpace, false), 32);
  EXPECT_EQ(VirtualKeyFromScancode(kHidF12, false), 123);
}

TEST(KeyMap, LettersAndDigitsMapToTheirUpperCaseAsciiCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(kHidA, false), 'A');
  EXPECT_EQ(VirtualKeyFromScancode(kHidZ, false), 'Z');
  EXPECT_EQ(VirtualKeyFromScancode(kHid1, false), '1');
  EXPECT_EQ(VirtualKeyFromScancode(kHid9, false), '9');
  EXPECT_EQ(VirtualKeyFromScancode(kHid0, false), '0');
  EXPECT_EQ(VirtualKeyFromScancode(0, false), 0);
  EXPECT_EQ(VirtualKeyFromScancode(511, false), 0);
}

TEST(KeyMap, AltCombinationsAndF10AreNotRecorded) {
  EXPECT_TRUE(IsRecordedKeyEvent(kHidEscape, false, false));
  EXPECT_FALSE(IsRecordedKeyEvent(kHidEscape, true, false));
  EXPECT_FALSE(IsRecordedKeyEvent(kHidLeft, true, false));
  EXPECT_FALSE(IsRecordedKeyEvent(kHidF10, false, false));
  EXPECT_FALSE(IsRecordedKeyEvent(0, false, false));
}

TEST(KeyMap, KeypadDigitsAreTheArrowKeysWithNumLockOffAndUnrecordedWithItOn) {
  EXPECT_EQ(VirtualKeyFromScancode(kHidKeypad4, false), 37);
  EXPECT_EQ(VirtualKeyFromScancode(kHidKeypad8, false), 38);
  EXPECT_EQ(VirtualKeyFromScancode(kHidKeypad6, false), 39);
  EXPECT_EQ(VirtualKeyFromScancode(kHidKeypad2, false), 40);
  for (int scancode : {kHidKeypad2, kHidKeypad4, kHidKeypad6, kHidKeypad8}) {
    EXPECT_FALSE(IsRecordedKeyEvent(scancode, false, true)) << scancode;
  }
  EXPECT_EQ(VirtualKeyFromScancode(kHidKeypadEnter, true), 13);
  EXPECT_EQ(VirtualKeyFromScancode(kHidLeft, true), 37);
}

// DejaVu Sans at 8 points and 96 dpi (an 11-pixel em) gives base units of 7 x 13, so the 287 x 230
// unit dialog is 502 x 374 pixels and the banner's control is wide enough for the 500-pixel banner
// inside its 1-pixel border.
TEST(DialogLayout, TheDialogFontGivesAFullWidthBannerAndEveryControlInside) {
  const DialogFontMetrics font = MeasureDialogFont(kDialogFontPath, kDialogFontPoints, kDialogDotsPerInch);
  ASSERT_TRUE(font.measured) << kDialogFontPath;
  EXPECT_EQ(font.baseUnitX, 7);
  EXPECT_EQ(font.baseUnitY, 13);
  EXPECT_NEAR(font.cellPixels, 12.8f, 0.1f);
  const DialogBaseUnits base{font.baseUnitX, font.baseUnitY};
  const DialogRect dialog = DialogUnitsToPixels(kDialogUnitsSize, base);
  EXPECT_EQ(dialog.width, 502);
  EXPECT_EQ(dialog.height, 374);
  const DialogRect banner = ControlPixels(DialogControl::banner, base);
  EXPECT_GE(banner.width, kBannerWidth + 2);
  EXPECT_GE(banner.height, kBannerHeight + 2);
  const DialogRect ok = ControlPixels(DialogControl::ok, base);
  EXPECT_EQ(ok.x, 82);   // 47 * 7 / 4 = 82.25
  EXPECT_EQ(ok.y, 205);  // 126 * 13 / 8 = 204.75
  EXPECT_EQ(ok.width, 326);
  EXPECT_EQ(ok.height, 21);
  for (int i = 0; i < kDialogControlCount; ++i) {
    const DialogRect r = ControlPixels(static_cast<DialogControl>(i), base);
    EXPECT_GE(r.x, 0) << i;
    EXPECT_GE(r.y, 0) << i;
    EXPECT_LE(r.x + r.width, dialog.width) << i;
    EXPECT_LE(r.y + r.height, dialog.height) << i;
  }
}

TEST(DialogLayout, AMissingFontFallsBackToTheBuiltInFontsUnits) {
  const DialogFontMetrics font = MeasureDialogFont("/nonexistent/font.ttf", 8, 96);
  EXPECT_FALSE(font.measured);
  EXPECT_EQ(font.baseUnitX, 7);
  EXPECT_EQ(font.baseUnitY, 13);
}

TEST(KeyActions, NoKeysNoActions) {
  int keys[256] = {};
  int presses[256] = {};
  KeyAction actions[kMaxKeyActions];
  EXPECT_EQ(CollectKeyActions(keys, presses, actions), 0);
}

// Held and tapped keys mixed: a key released before the frame still acts, once, in its place.
TEST(KeyActions, HeldAndTappedKeysActOnceEachInTheirFixedOrder) {
  int keys[256] = {};
  int presses[256] = {};
  for (int key : {40, 39, 27}) keys[key] = 1;
  for (int key : {38, 37, 112, 27}) presses[key] = 1;
  KeyAction actions[kMaxKeyActions];
  ASSERT_EQ(CollectKeyActions(keys, presses, actions), 6);
  EXPECT_EQ(actions[0].type, KeyActionType::requestQuit);
  EXPECT_EQ(actions[1].type, KeyActionType::postUserMessage);
  const float seeks[] = {-500, 500, 5000, -5000};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(actions[2 + i].type, KeyActionType::seek);
    EXPECT_EQ(actions[2 + i].seekOffsetMs, seeks[i]);
  }
}

TEST(KeyActions, LeftAndRightTogetherLeaveRightLastSoItsTargetStands) {
  int keys[256] = {};
  int presses[256] = {};
  keys[37] = keys[39] = 1;
  KeyAction actions[kMaxKeyActions];
  ASSERT_EQ(CollectKeyActions(keys, presses, actions), 2);
  EXPECT_EQ(actions[0].seekOffsetMs, -500);
  EXPECT_EQ(actions[1].seekOffsetMs, 500);
}

}  // namespace
