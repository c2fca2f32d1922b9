#include "shell/DialogFocus.h"

namespace {
constexpr DialogFocus kTabOrder[] = {DialogFocus::ok, DialogFocus::fullScreen, DialogFocus::exit};
constexpr int kTabStops = 3;

int TabIndex(DialogFocus focus) {
  for (int i = 0; i < kTabStops; ++i) {
    if (kTabOrder[i] == focus) return i;
  }
  return -1;
}

DialogFocus MoveFocus(DialogFocus focus, int step) {
  const int at = TabIndex(focus);
  if (at < 0) return kTabOrder[step > 0 ? 0 : kTabStops - 1];
  return kTabOrder[(at + step + kTabStops) % kTabStops];
}

DialogCommand Press(DialogFocus focus) {
  switch (focus) {
    case DialogFocus::ok: return DialogCommand::accept;
    case DialogFocus::fullScreen: return DialogCommand::toggleFullScreen;
    case DialogFocus::exit: return DialogCommand::exit;
    case DialogFocus::none: break;
  }
  return DialogCommand::none;
}
}  // namespace

DialogKeyResult ApplyDialogKeys(DialogFocus focus, const DialogKeys& keys) {
  if (keys.tab) focus = MoveFocus(focus, 1);
  if (keys.backTab) focus = MoveFocus(focus, -1);
  DialogCommand command = keys.space ? Press(focus) : DialogCommand::none;
  if (command == DialogCommand::none && keys.enter) {
    command = focus == DialogFocus::exit ? DialogCommand::exit : DialogCommand::accept;
  }
  return {focus, command};
}
