// The three dialogs of an interactive run: the welcome question, the
// modeless progress dialog and the restart question. Each returns its
// answer; whoever shows a dialog decides what follows.
#ifndef SETUP_CONTROL_DIALOGS_H
#define SETUP_CONTROL_DIALOGS_H

#include <windows.h>

#include "../base/platform.h"
#include "dialogs_rules.h"
#include "run.h"

// What the read-only text boxes of the dialogs accept.
const WPARAM kDialogTextLimit = 65535;

// The restart dialog's text when NT 4.0 could not remove the earlier
// service; there is no translation of it.
const char* const kNotInstalledText =
    "Please restart your computer and run setup again, the modem driver was not installed "
    "correctly.";

enum WelcomeAnswer { kWelcomeNotShown, kWelcomeOk, kWelcomeCancel };

// Shows the welcome dialog with text modally, owned by owner. OK ends the
// dialog and then calls install(context): the whole installation happens
// inside OK, and the dialog's modal loop returns after it.
WelcomeAnswer ShowWelcomeDialog(HINSTANCE instance, HWND owner, const char* text,
                                void (*install)(void* context), void* context);

// The windows of an interactive run: the hidden main window, owner of
// every dialog, and the progress dialog while it exists; the texts come
// from the string table.
class DialogScreens : public RunScreens {
 public:
  DialogScreens(HINSTANCE instance, Host* host);
  void OpenProgress() override;
  void CloseProgress() override;
  void HideMainWindow() override;
  bool AskRestart(bool notInstalled) override;

  HINSTANCE Instance;
  Host* RunHost;
  OsClass osClass;      // of the run, for the restart request
  HWND MainWindow;      // hidden owner of every dialog
  HWND ProgressDialog;  // null until created and again once destroyed
  char WelcomeText[kTextBufferSize];
  char RestartText[kTextBufferSize];
  char ProgressTitle[kTextBufferSize];
};

#endif
