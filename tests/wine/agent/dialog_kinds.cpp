#include "dialog_kinds.h"

namespace {

const int KindEdits[] = {0, 1000, 1001, 1002};

const char* const KindNames[] = {"", "welcome", "restart", "progress"};

}  // namespace

DialogKind DialogKindOf(HWND dialog) {
  for (int kind = WelcomeDialog; kind <= ProgressDialog; ++kind)
    if (GetDlgItem(dialog, KindEdits[kind])) return static_cast<DialogKind>(kind);
  return NotSetupDialog;
}

const char* DialogKindName(DialogKind kind) { return KindNames[kind]; }

int DialogKindEdit(DialogKind kind) { return KindEdits[kind]; }
