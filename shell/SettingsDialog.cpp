// The settings dialog's controls, laid out from the dialog template and drawn with Dear ImGui.
#include "shell/SettingsDialog.h"

#include <imgui.h>

#include <algorithm>
#include <cstdlib>

#include "platform/DialogFont.h"
#include "platform/ModalDialog.h"
#include "shell/BannerImage.h"
#include "shell/DialogFocus.h"
#include "shell/DialogLayout.h"

namespace {

constexpr const char* kCreditLine = "visuals: vizmerk   music: sonorrak   800 x 600";

struct DialogState {
  AppWindow* window;
  DialogBaseUnits base;
  bool fullScreenChecked;  // the dialog always opens unchecked
  DialogFocus focus;       // and with no control focused
};

ImVec2 Corner(const DialogRect& r) { return ImVec2(static_cast<float>(r.x), static_cast<float>(r.y)); }
ImVec2 Size(const DialogRect& r) { return ImVec2(static_cast<float>(r.width), static_cast<float>(r.height)); }

// The banner at its own size, centred in its control and clipped to it, inside a one-pixel border.
void DrawBanner(unsigned texture, const DialogRect& box) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float left = std::max(0.0f, (kBannerWidth - box.width) * 0.5f);
  const float top = std::max(0.0f, (kBannerHeight - box.height) * 0.5f);
  const float shownWidth = static_cast<float>(std::min(kBannerWidth, box.width));
  const float shownHeight = static_cast<float>(std::min(kBannerHeight, box.height));
  const ImVec2 at(box.x + (box.width - shownWidth) * 0.5f, box.y + (box.height - shownHeight) * 0.5f);
  draw->AddImage(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(texture)), at,
                 ImVec2(at.x + shownWidth, at.y + shownHeight),
                 ImVec2(left / kBannerWidth, top / kBannerHeight),
                 ImVec2((left + shownWidth) / kBannerWidth, (top + shownHeight) / kBannerHeight));
  draw->AddRect(Corner(box), ImVec2(box.x + box.width, box.y + box.height), IM_COL32(0, 0, 0, 255));
}

void DrawGroupBox(const char* label, const DialogRect& box) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float textHeight = ImGui::GetTextLineHeight();
  const float lineY = box.y + textHeight * 0.5f;
  draw->AddRect(ImVec2(box.x, lineY), ImVec2(box.x + box.width, box.y + box.height), IM_COL32(110, 110, 110, 255));
  const ImVec2 labelAt(box.x + 8.0f, static_cast<float>(box.y));
  const ImVec2 labelSize = ImGui::CalcTextSize(label);
  draw->AddRectFilled(ImVec2(labelAt.x - 2, labelAt.y), ImVec2(labelAt.x + labelSize.x + 2, labelAt.y + labelSize.y),
                      ImGui::GetColorU32(ImGuiCol_WindowBg));
  draw->AddText(labelAt, IM_COL32(0, 0, 0, 255), label);
}

bool Button(const DialogRect& box, const char* label) {
  ImGui::SetCursorPos(Corner(box));
  return ImGui::Button(label, Size(box));
}

// A click gives the control the focus, as it does in the dialog manager.
void TakeFocusOnClick(DialogState& state, DialogFocus control) {
  if (ImGui::IsItemActivated()) state.focus = control;
}

// The focus rectangle: a dotted line just inside the focused control.
void DrawFocus(const DialogRect& box) {
  constexpr float kInset = 3;
  constexpr float kDot = 1;
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float left = box.x + kInset, top = box.y + kInset;
  const float right = box.x + box.width - kInset, bottom = box.y + box.height - kInset;
  const ImU32 colour = IM_COL32(0, 0, 0, 255);
  for (float x = left; x < right; x += 2 * kDot) {
    draw->AddRectFilled(ImVec2(x, top), ImVec2(x + kDot, top + kDot), colour);
    draw->AddRectFilled(ImVec2(x, bottom - kDot), ImVec2(x + kDot, bottom), colour);
  }
  for (float y = top; y < bottom; y += 2 * kDot) {
    draw->AddRectFilled(ImVec2(left, y), ImVec2(left + kDot, y + kDot), colour);
    draw->AddRectFilled(ImVec2(right - kDot, y), ImVec2(right, y + kDot), colour);
  }
}

DialogRect FocusBox(const DialogState& state) {
  switch (state.focus) {
    case DialogFocus::ok: return ControlPixels(DialogControl::ok, state.base);
    case DialogFocus::fullScreen: return ControlPixels(DialogControl::fullScreen, state.base);
    case DialogFocus::exit: return ControlPixels(DialogControl::exit, state.base);
    case DialogFocus::none: break;
  }
  return DialogRect{0, 0, 0, 0};
}

bool SettingsDialogProc(void* user, unsigned bannerTexture, const DialogKeys& keys) {
  auto& state = *static_cast<DialogState*>(user);
  const ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(viewport->Pos);
  ImGui::SetNextWindowSize(viewport->Size);
  ImGui::PushStyleColor(ImGuiCol_WindowBg, IM_COL32(212, 208, 200, 255));
  ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(0, 0, 0, 255));
  ImGui::Begin("Settings", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                   ImGuiWindowFlags_NoBringToFrontOnFocus);
  DrawBanner(bannerTexture, ControlPixels(DialogControl::banner, state.base));
  DrawGroupBox("Settings", ControlPixels(DialogControl::settingsGroup, state.base));
  const DialogKeyResult byKeys = ApplyDialogKeys(state.focus, keys);
  state.focus = byKeys.focus;
  if (byKeys.command == DialogCommand::toggleFullScreen) state.fullScreenChecked = !state.fullScreenChecked;
  bool accepted = Button(ControlPixels(DialogControl::ok, state.base), "OK");
  TakeFocusOnClick(state, DialogFocus::ok);
  ImGui::SetCursorPos(Corner(ControlPixels(DialogControl::fullScreen, state.base)));
  ImGui::Checkbox("FullScreen", &state.fullScreenChecked);
  TakeFocusOnClick(state, DialogFocus::fullScreen);
  bool exitPressed = Button(ControlPixels(DialogControl::exit, state.base), "Exit");
  TakeFocusOnClick(state, DialogFocus::exit);
  const DialogRect credit = ControlPixels(DialogControl::credit, state.base);
  ImGui::SetCursorPos(Corner(credit));
  ImGui::TextUnformatted(kCreditLine);
  if (state.focus != DialogFocus::none) DrawFocus(FocusBox(state));
  ImGui::End();
  ImGui::PopStyleColor(2);

  accepted = accepted || byKeys.command == DialogCommand::accept;
  exitPressed = exitPressed || byKeys.command == DialogCommand::exit;
  if (exitPressed) std::exit(0);
  if (accepted && !state.fullScreenChecked) state.window->fullScreen = 0;
  return accepted;
}

}  // namespace

bool RunSettingsDialog(AppWindow& window) {
  const DialogFontMetrics font = MeasureDialogFont(kDialogFontPath, kDialogFontPoints, kDialogDotsPerInch);
  DialogState state{&window, {font.baseUnitX, font.baseUnitY}, false, DialogFocus::none};
  const DialogRect size = DialogUnitsToPixels(kDialogUnitsSize, state.base);
  const DialogPicture banner{kBannerRgb, kBannerWidth, kBannerHeight};
  const DialogTextFont text{font.measured ? kDialogFontPath : nullptr, font.cellPixels};
  return RunModalDialog(size.width, size.height, banner, text, SettingsDialogProc, &state, window.display);
}
