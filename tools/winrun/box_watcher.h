// Watches the desktop for dialogs and message boxes, records each one's
// caption and text in the order they appear, and presses a button in it.
#pragma once
#include <stdio.h>

// One scripted answer: a dialog whose caption equals `caption` gets the
// button with this control id pressed instead of OK.
struct BoxAnswer {
  char caption[256];
  int buttonId;
};

// Starts the watcher thread. Records go to `log`, one line per dialog:
// caption, a tab, the text (tabs, newlines and backslashes escaped).
bool StartBoxWatcher(FILE* log, const BoxAnswer* answers, int answerCount);

// Stops the watcher after a last look at the desktop.
void StopBoxWatcher();
