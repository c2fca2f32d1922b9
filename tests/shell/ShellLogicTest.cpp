// The shell's pure logic: key translation, dialog layout, and the order of the key actions.
#include <gtest/gtest.h>

#include "platform/KeyMap.h"
#include "shell/DialogLayout.h"
#include "shell/KeyActions.h"

namespace {

// USB HID usage IDs (SDL scancodes).
constexpr int kHidA = 4, kHidZ = 29, kHid1 = 30, kHid9 = 38, kHid0 = 39, kHidReturn = 40, kHidEscape = 41,
              kHidSpace = 44, kHidF1 = 58, kHidF10 = 67, kHidF12 = 69, kHidRight = 79, kHidLeft = 80,
              kHidDown = 81, kHidUp = 82;

TEST(KeyMap, TranslatesTheKeysTheShowReadsToVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(kHidEscape), 27);
  EXPECT_EQ(VirtualKeyFromScancode(kHidF1), 112);
  EXPECT_EQ(VirtualKeyFromScancode(kHidLeft), 37);
  EXPECT_EQ(VirtualKeyFromScancode(kHidUp), 38);
  EXPECT_EQ(VirtualKeyFromScancode(kHidRight), 39);
  EXPECT_EQ(VirtualKeyFromScancode(kHidDown), 40);
  EXPECT_EQ(VirtualKeyFromScancode(kHidReturn), 13);
  EXPECT_EQ(VirtualKeyFromScancode(kHidSpace), 32);
  EXPECT_EQ(VirtualKeyFromScancode(kHidF12), 123);
}

TEST(KeyMap, LettersAndDigitsMapToTheirUpperCaseAsciiCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(kHidA), 'A');
  EXPECT_EQ(VirtualKeyFromScancode(kHidZ), 'Z');
  EXPECT_EQ(VirtualKeyFromScancode(kHid1), '1');
  EXPECT_EQ(VirtualKeyFromScancode(kHid9), '9');
  EXPECT_EQ(VirtualKeyFromScancode(kHid0), '0');
  EXPECT_EQ(VirtualKeyFromScancode(0), 0);
  EXPECT_EQ(VirtualKeyFromScancode(511), 0);
}

TEST(KeyMap, AltCombinationsAndF10AreNotRecorded) {
  EXPECT_TRUE(IsRecordedKeyEvent(kHidEscape, false));
  EXPECT_FALSE(IsRecordedKeyEvent(kHidEscape, true));
  EXPECT_FALSE(IsRecordedKeyEvent(kHidLeft, true));
  EXPECT_FALSE(IsRecordedKeyEvent(kHidF10, false));
  EXPECT_FALSE(IsRecordedKeyEvent(0, false));
}

TEST(DialogLayout, ConvertsDialogUnitsAtOneAndAHalfByOneAndFiveEighthsPixels) {
  const DialogRect dialog = DialogUnitsToPixels(kDialogUnitsSize);
  EXPECT_EQ(dialog.width, 431);
  EXPECT_EQ(dialog.height, 374);
  const DialogRect ok = ControlPixels(DialogControl::ok);
  EXPECT_EQ(ok.x, 71);
  EXPECT_EQ(ok.y, 205);
  EXPECT_EQ(ok.width, 279);
  EXPECT_EQ(ok.height, 21);
}

TEST(DialogLayout, EveryControlLiesInsideTheDialog) {
  const DialogRect dialog = DialogUnitsToPixels(kDialogUnitsSize);
  for (int i = 0; i < kDialogControlCount; ++i) {
    const DialogRect r = ControlPixels(static_cast<DialogControl>(i));
    EXPECT_GE(r.x, 0) << i;
    EXPECT_GE(r.y, 0) << i;
    EXPECT_LE(r.x + r.width, dialog.width) << i;
    EXPECT_LE(r.y + r.height, dialog.height) << i;
  }
}

TEST(KeyActions, NoKeysNoActions) {
  int keys[256] = {};
  KeyAction actions[kMaxKeyActions];
  EXPECT_EQ(CollectKeyActions(keys, actions), 0);
}

TEST(KeyActions, AllHeldKeysActInTheirFixedOrder) {
  int keys[256] = {};
  for (int key : {40, 38, 39, 37, 112, 27}) keys[key] = 1;
  KeyAction actions[kMaxKeyActions];
  ASSERT_EQ(CollectKeyActions(keys, actions), 6);
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
  keys[37] = keys[39] = 1;
  KeyAction actions[kMaxKeyActions];
  ASSERT_EQ(CollectKeyActions(keys, actions), 2);
  EXPECT_EQ(actions[0].seekOffsetMs, -500);
  EXPECT_EQ(actions[1].seekOffsetMs, 500);
}

}  // namespace
