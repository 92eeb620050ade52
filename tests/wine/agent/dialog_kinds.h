// Setup's three dialogs, told apart by the edit control each one holds, and
// what the dialog hook inside a watched program hands to the watcher.
#ifndef TESTS_WINE_AGENT_DIALOG_KINDS_H
#define TESTS_WINE_AGENT_DIALOG_KINDS_H
#include <windows.h>

enum DialogKind { NotSetupDialog = 0, WelcomeDialog, RestartDialog, ProgressDialog };

const int ProgressBarControl = 1011;

// The kind of a dialog (any window; other processes' windows too).
DialogKind DialogKindOf(HWND dialog);

// "welcome", "restart", "progress"; "" for NotSetupDialog.
const char* DialogKindName(DialogKind kind);

// The edit control id that marks a kind (1000, 1001, 1002); 0 for none.
int DialogKindEdit(DialogKind kind);

// The watched program finds the watcher's window (hex) in this variable.
const char* const WatcherWindowVariable = "WINRUN_DIALOG_WATCHER";

// WM_COPYDATA from the hook: dwData is the event, lpData the dialog's kind
// and the event's values as UTF-16 fields, each ended by a NUL.
// TimerTicked: the program took a thread timer message (kind "timer", the
// count so far), reported only when a cut waits for one.
enum DialogEvent { DialogShown = 1, DialogHidden, DialogDestroyed, ProgressMoved, TimerTicked };

#endif
