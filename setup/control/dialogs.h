// The three dialogs of an interactive run: the welcome question, the
// modeless progress dialog and the restart question. Each returns its
// answer; whoever shows a dialog decides what follows.
#ifndef SETUP_CONTROL_DIALOGS_H
#define SETUP_CONTROL_DIALOGS_H

#include <windows.h>

#include "../base/platform_rules.h"
#include "dialogs_rules.h"

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

// Creates the progress dialog, owned by owner, titled title and "  . . .",
// shows it and attaches its bar to the progress. Enter and Escape only hide
// it; the run goes on. Null when it could not be created.
HWND CreateProgressDialog(HINSTANCE instance, HWND owner, const char* title);

// Destroys the dialog (hidden or not), detaches its bar and forgets it.
void DestroyProgressDialog(HWND* dialog);

// Shows the restart dialog with text modally, owned by owner. OK asks
// Windows for the restart (with the shutdown privilege on NT); a process
// token that can not be opened keeps the dialog open, so that OK can be
// tried again. True when the restart was requested; false after Cancel, a
// refused request, or a dialog that could not be shown.
bool ShowRestartDialog(HINSTANCE instance, HWND owner, const char* text, OsClass osClass);

#endif
