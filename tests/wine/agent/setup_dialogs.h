// Setup's dialogs: the dialog hook's events as records, the hook itself,
// and the scripted buttons and keys. One record a line, UTF-8, fields
// separated by tabs and escaped as in record_text.h; the first field is
// the time in ms since the watcher started:
//   <ms> show <kind> <caption> <text>      the dialog became visible
//   <ms> hide <kind>                       it was hidden (also just before it is destroyed)
//   <ms> destroy <kind>
//   <ms> progress progress <position>      the bar's new position
//   <ms> press <kind> <button id>          the watcher pressed a button
//   <ms> key <kind> <virtual key>          the watcher pressed a key
//   <ms> tick timer <count>                the program took a thread timer message
//                                          (recorded only when a cut waits for a tick)
//   <ms> error hook <error code>           the hook could not be set
// <kind> is welcome, restart or progress.
#ifndef TESTS_WINE_AGENT_SETUP_DIALOGS_H
#define TESTS_WINE_AGENT_SETUP_DIALOGS_H
#include <windows.h>

#include "box_watcher.h"
#include "dialog_kinds.h"

void BeginDialogRecords(const WatcherScript* script);

// Hooks "dialog_hook.dll" (beside winrun) into a thread of the watched
// program, and its tick counter too when a cut waits for a tick; records
// an error when that fails.
void HookDialogs(DWORD threadId);
void UnhookDialogs();

// A WM_COPYDATA of the hook; cuts the program at the scripted tick.
void RecordHookEvent(const COPYDATASTRUCT* data);

// One look at a visible dialog of setup: presses its scripted button or key when due.
void HandleSetupDialog(HWND dialog, DialogKind kind);

#endif
