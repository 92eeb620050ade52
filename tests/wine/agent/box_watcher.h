// Watches the desktop for dialogs and message boxes. Message boxes (and any
// dialog that is not one of setup's) are recorded by caption and text in
// the order they appear and get a button pressed; setup's dialogs are
// recorded from inside the program by the dialog hook (setup_dialogs.h) and
// get their scripted buttons and keys.
#ifndef TESTS_WINE_AGENT_BOX_WATCHER_H
#define TESTS_WINE_AGENT_BOX_WATCHER_H
#include <windows.h>
#include <stdio.h>

// One scripted answer: a dialog whose caption equals `caption` gets the
// button with this control id pressed instead of OK. The captions "#1000",
// "#1001" and "#1002" name setup's welcome, restart and progress dialogs by
// their edit control; there button 0 presses nothing, and the press waits
// `delay` ms after the dialog appeared.
struct BoxAnswer {
  char caption[256];
  int buttonId;
  DWORD delay;
};

// A key pressed in one of setup's dialogs (named as in BoxAnswer), once:
// `delay` ms after the dialog appeared, as soon as its program takes messages.
struct KeyPress {
  char dialog[16];
  int virtualKey;
  DWORD delay;
};

struct WatcherScript {
  FILE* boxes;    // caption, a tab, the text (tabs, newlines and backslashes escaped)
  FILE* dialogs;  // the records of setup's dialogs
  const BoxAnswer* answers;
  int answerCount;
  const KeyPress* keys;
  int keyCount;
};

// Starts the watcher thread and returns once its window (the hook's
// addressee) exists; null when it could not start.
HWND StartBoxWatcher(const WatcherScript* script);

// Stops the watcher after a last look at the desktop.
void StopBoxWatcher();

#endif
