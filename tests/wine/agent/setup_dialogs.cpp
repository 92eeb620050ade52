#include "setup_dialogs.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "record_text.h"

namespace {

const WatcherScript* Script;

DWORD StartTick;

HHOOK Hook;

HHOOK TickHook;

}  // namespace

// Each dialog seen, with what the watcher did to it.
struct SeenDialog {
  HWND window;
  DWORD seen;
  bool pressed;
  bool keyed;
};
namespace {

SeenDialog Seen[16];

int SeenCount;

const char* const EventNames[] = {"", "show", "hide", "destroy", "progress", "tick"};

}  // namespace

void BeginDialogRecords(const WatcherScript* script) {
  Script = script;
  StartTick = GetTickCount();
}

namespace {

void BeginRecord(const char* event, const char* kind) {
  fprintf(Script->dialogs, "%lu\t%s\t%s", GetTickCount() - StartTick, event, kind);
}

void EndRecord() {
  fputc('\n', Script->dialogs);
  fflush(Script->dialogs);
}

}  // namespace

void RecordHookEvent(const COPYDATASTRUCT* data) {
  if (data->dwData < DialogShown || data->dwData > TimerTicked) return;
  static wchar_t fields[4096];
  const size_t count = data->cbData / sizeof(wchar_t);
  if (count == 0 || count >= sizeof fields / sizeof fields[0]) return;
  memcpy(fields, data->lpData, count * sizeof(wchar_t));
  fields[count] = L'\0';
  fprintf(Script->dialogs, "%lu\t%s", GetTickCount() - StartTick, EventNames[data->dwData]);
  for (size_t at = 0; at < count; at += wcslen(fields + at) + 1) {
    fputc('\t', Script->dialogs);
    WriteEscapedWide(Script->dialogs, fields + at);
  }
  EndRecord();
  // The fields of a tick: "timer" and the count.
  if (data->dwData == TimerTicked && Script->cut.tick > 0 &&
      _wtoi(fields + wcslen(fields) + 1) == Script->cut.tick)
    CutProgram();
}

void HookDialogs(DWORD threadId) {
  HMODULE module = LoadLibraryW(L"dialog_hook.dll");
  HOOKPROC hook = module ? reinterpret_cast<HOOKPROC>(
                               reinterpret_cast<void*>(GetProcAddress(module, "DialogHook")))
                         : nullptr;
  if (hook) Hook = SetWindowsHookExW(WH_CALLWNDPROCRET, hook, module, threadId);
  HOOKPROC ticks =
      module
          ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "TickHook")))
          : nullptr;
  if (Hook && Script->cut.tick > 0) {
    TickHook = ticks ? SetWindowsHookExW(WH_GETMESSAGE, ticks, module, threadId) : nullptr;
    if (!TickHook) {
      UnhookWindowsHookEx(Hook);
      Hook = nullptr;
    }
  }
  if (!Hook) {
    BeginRecord("error", "hook");
    fprintf(Script->dialogs, "\t%lu", GetLastError());
    EndRecord();
  }
}

void UnhookDialogs() {
  if (Hook) UnhookWindowsHookEx(Hook);
  if (TickHook) UnhookWindowsHookEx(TickHook);
  Hook = TickHook = nullptr;
}

namespace {

SeenDialog* Remember(HWND dialog) {
  for (int i = 0; i < SeenCount; ++i)
    if (Seen[i].window == dialog) return &Seen[i];
  SeenDialog* entry = &Seen[SeenCount < 16 ? SeenCount++ : 15];
  entry->window = dialog;
  entry->seen = GetTickCount();
  entry->pressed = entry->keyed = false;
  return entry;
}

bool NamesKind(const char* name, DialogKind kind) {
  char wanted[16];
  _snprintf(wanted, sizeof wanted, "#%d", DialogKindEdit(kind));
  wanted[sizeof wanted - 1] = '\0';
  return strcmp(name, wanted) == 0;
}

// The scripted answer of a kind; welcome and restart default to OK, the
// progress dialog to nothing.
BoxAnswer AnswerFor(DialogKind kind) {
  for (int i = 0; i < Script->answerCount; ++i)
    if (NamesKind(Script->answers[i].caption, kind)) return Script->answers[i];
  BoxAnswer answer = {"", kind == ProgressDialog ? 0 : IDOK, 0};
  return answer;
}

const KeyPress* KeyFor(DialogKind kind) {
  for (int i = 0; i < Script->keyCount; ++i)
    if (NamesKind(Script->keys[i].dialog, kind)) return &Script->keys[i];
  return nullptr;
}

// Whether the dialog's thread takes messages now; never waits long on a busy one.
bool Responsive(HWND dialog) {
  DWORD_PTR ignored;
  return SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 100, &ignored) !=
         0;
}

// Posts the key to the dialog's focused control (or the dialog), as the
// keyboard would: through the program's message loop and its dialog filter.
void PressKey(HWND dialog, int virtualKey) {
  GUITHREADINFO thread;
  ZeroMemory(&thread, sizeof thread);
  thread.cbSize = sizeof thread;
  HWND target = dialog;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread) && thread.hwndFocus &&
      IsChild(dialog, thread.hwndFocus))
    target = thread.hwndFocus;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, 0)) << 16;
  PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageW(target, WM_KEYUP, virtualKey, scan | 1 | 0xC0000000);
}

}  // namespace

void HandleSetupDialog(HWND dialog, DialogKind kind) {
  SeenDialog* entry = Remember(dialog);
  const DWORD shownFor = GetTickCount() - entry->seen;
  const BoxAnswer answer = AnswerFor(kind);
  if (!entry->pressed && answer.buttonId != 0 && shownFor >= answer.delay && Responsive(dialog)) {
    entry->pressed = true;
    BeginRecord("press", DialogKindName(kind));
    fprintf(Script->dialogs, "\t%d", answer.buttonId);
    EndRecord();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer.buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer.buttonId)));
  }
  const KeyPress* key = KeyFor(kind);
  if (key && !entry->keyed && shownFor >= key->delay && Responsive(dialog)) {
    entry->keyed = true;
    BeginRecord("key", DialogKindName(kind));
    fprintf(Script->dialogs, "\t%d", key->virtualKey);
    EndRecord();
    PressKey(dialog, key->virtualKey);
  }
}
