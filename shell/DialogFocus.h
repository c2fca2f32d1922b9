// The settings dialog by keyboard, as the dialog manager runs a template: Tab and Shift+Tab move
// the focus round the tab stops in template order (OK, FullScreen, Exit), space acts on the
// focused control, Enter presses the focused push button or else OK. The dialog opens with no
// focus, so the first Tab lands on OK and the first Shift+Tab on Exit.
#pragma once
#include "platform/ModalDialog.h"

enum class DialogFocus { none, ok, fullScreen, exit };
enum class DialogCommand { none, accept, toggleFullScreen, exit };

struct DialogKeyResult {
  DialogFocus focus;
  DialogCommand command;
};

DialogKeyResult ApplyDialogKeys(DialogFocus focus, const DialogKeys& keys);
