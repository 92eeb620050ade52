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

// Where the watcher cuts the program off with TerminateProcess, as a reset
// or a killed process would, so that nothing of it cleans up: when the
// occurrence-th message box with this caption appears (instead of
// answering it), or when the program takes its tick-th thread timer
// message (before the timer procedure runs). Zero counts cut nowhere.
struct CutPoint {
  char caption[256];
  int occurrence;
  int tick;
};

struct WatcherScript {
  FILE* boxes;    // caption, a tab, the text (tabs, newlines and backslashes escaped)
  FILE* dialogs;  // the records of setup's dialogs
  const BoxAnswer* answers;
  int answerCount;
  const KeyPress* keys;
  int keyCount;
  CutPoint cut;
};

// Starts the watcher thread and returns once its window (the hook's
// addressee) exists; null when it could not start.
HWND StartBoxWatcher(const WatcherScript* script);

// Stops the watcher after a last look at the desktop.
void StopBoxWatcher();

// The program that a cut ends; set before it runs.
void WatchProgram(HANDLE process);

// Ends the watched program now (exit code 0xC0DE) and remembers it.
void CutProgram();

// Whether the watcher cut the program off.
bool ProgramWasCut();

#endif
