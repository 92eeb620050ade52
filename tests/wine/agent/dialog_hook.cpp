// The dialog hook: a DLL that winrun hooks into the watched program's main
// thread (WH_CALLWNDPROCRET). It sees setup's dialogs from inside, in the
// order things happen, even while that thread is too busy to answer any
// message: a dialog shown (with its caption and text), hidden, destroyed,
// and each new position of the progress bar. It hands each event to the
// watcher's window and changes nothing in the program. Its tick hook
// (WH_GETMESSAGE, set only when a cut waits for a tick) counts the timer
// messages of the completion timers that the program takes, before they
// are dispatched.
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>
#include <wchar.h>

#include "dialog_kinds.h"

const int FieldsSize = 2048;

namespace {

HWND WatcherWindow() {
  static bool known;
  static HWND watcher;
  if (!known) {
    char text[32] = "";
    if (GetEnvironmentVariableA(WatcherWindowVariable, text, sizeof text) < sizeof text)
      watcher = reinterpret_cast<HWND>(strtoul(text, nullptr, 16));
    known = true;
  }
  return watcher;
}

// Appends a NUL-ended field; cut to what the buffer holds.
void AppendField(wchar_t* fields, int* used, const wchar_t* text) {
  while (*text && *used < FieldsSize - 1) fields[(*used)++] = *text++;
  if (*used < FieldsSize) fields[(*used)++] = L'\0';
}

void Report(HWND dialog, DialogEvent event, const wchar_t* fields, int used) {
  COPYDATASTRUCT data;
  data.dwData = event;
  data.cbData = used * sizeof(wchar_t);
  data.lpData = const_cast<wchar_t*>(fields);
  DWORD_PTR ignored;
  // SMTO_BLOCK: the program handles nothing else while it reports.
  SendMessageTimeoutW(WatcherWindow(), WM_COPYDATA, reinterpret_cast<WPARAM>(dialog),
                      reinterpret_cast<LPARAM>(&data), SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000,
                      &ignored);
}

void ReportDialog(HWND dialog, DialogKind kind, DialogEvent event) {
  static wchar_t fields[FieldsSize];
  static wchar_t text[FieldsSize];
  int used = 0;
  wchar_t name[16];
  MultiByteToWideChar(CP_ACP, 0, DialogKindName(kind), -1, name, 16);
  AppendField(fields, &used, name);
  if (event == DialogShown) {
    GetWindowTextW(dialog, text, FieldsSize);
    AppendField(fields, &used, text);
    GetDlgItemTextW(dialog, DialogKindEdit(kind), text, FieldsSize);
    AppendField(fields, &used, text);
  }
  Report(dialog, event, fields, used);
}

bool IsProgressMessage(UINT message) {
  return message == PBM_SETRANGE || message == PBM_SETPOS || message == PBM_DELTAPOS ||
         message == PBM_STEPIT || message == PBM_SETRANGE32;
}

void ReportPosition(HWND bar) {
  static HWND lastBar;
  static LRESULT lastPosition;
  const LRESULT position = SendMessageW(bar, PBM_GETPOS, 0, 0);
  if (bar == lastBar && position == lastPosition) return;
  lastBar = bar;
  lastPosition = position;
  wchar_t fields[32];
  int used = 0;
  wchar_t number[16];
  _ltow(static_cast<long>(position), number, 10);
  AppendField(fields, &used, L"progress");
  AppendField(fields, &used, number);
  Report(GetParent(bar), ProgressMoved, fields, used);
}

void Observe(const CWPRETSTRUCT& call) {
  if (call.message == WM_WINDOWPOSCHANGED) {
    const WINDOWPOS* place = reinterpret_cast<const WINDOWPOS*>(call.lParam);
    if (!(place->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) return;
    const DialogKind kind = DialogKindOf(call.hwnd);
    if (kind != NotSetupDialog)
      ReportDialog(call.hwnd, kind, place->flags & SWP_SHOWWINDOW ? DialogShown : DialogHidden);
  } else if (call.message == WM_DESTROY) {
    const DialogKind kind = DialogKindOf(call.hwnd);
    if (kind != NotSetupDialog) ReportDialog(call.hwnd, kind, DialogDestroyed);
  } else if (IsProgressMessage(call.message) && GetDlgCtrlID(call.hwnd) == ProgressBarControl &&
             DialogKindOf(GetParent(call.hwnd)) == ProgressDialog) {
    ReportPosition(call.hwnd);
  }
}

// No window (a thread timer), or setup's hidden main window.
bool IsCompletionTimerWindow(HWND window) {
  if (!window) return true;
  wchar_t className[32];
  return GetClassNameW(window, className, 32) > 0 && !wcscmp(className, L"ModemClass");
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DialogHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && WatcherWindow()) Observe(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK TickHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  // A completion timer's tick: a timer of the thread or of setup's main
  // window; a peek that leaves it queued is no tick.
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_TIMER &&
      IsCompletionTimerWindow(message->hwnd) && WatcherWindow()) {
    static long ticks;
    wchar_t fields[32];
    int used = 0;
    wchar_t number[16];
    _ltow(++ticks, number, 10);
    AppendField(fields, &used, L"timer");
    AppendField(fields, &used, number);
    Report(nullptr, TimerTicked, fields, used);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
