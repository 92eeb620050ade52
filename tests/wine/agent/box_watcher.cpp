#include "box_watcher.h"

#include <string.h>

#include "dialog_kinds.h"
#include "record_text.h"
#include "setup_dialogs.h"

namespace {

const WatcherScript* Script;

volatile LONG StopRequested;

HANDLE WatcherThread;

HANDLE WatcherReady;

HWND Window;

HANDLE Program;

volatile LONG Cut;

// Message boxes seen so far with the caption of the cut point.
int CutCaptionSeen;

// Dialogs already answered; a pressed dialog may stay on screen for a
// moment before it closes.
HWND Answered[64];

int AnsweredCount;

bool WasAnswered(HWND window) {
  for (int i = 0; i < AnsweredCount; ++i)
    if (Answered[i] == window) return true;
  return false;
}

void Remember(HWND window) {
  Answered[AnsweredCount % 64] = window;
  if (AnsweredCount < 64) ++AnsweredCount;
}

int ButtonFor(const char* caption) {
  for (int i = 0; i < Script->answerCount; ++i)
    if (strcmp(Script->answers[i].caption, caption) == 0) return Script->answers[i].buttonId;
  return IDOK;
}

void AnswerBox(HWND window) {
  if (WasAnswered(window)) return;
  char caption[256] = "", text[1024] = "";
  GetWindowTextA(window, caption, sizeof caption);
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the text of a message box
  WriteEscaped(Script->boxes, caption);
  fputc('\t', Script->boxes);
  WriteEscaped(Script->boxes, text);
  fputc('\n', Script->boxes);
  fflush(Script->boxes);

  Remember(window);
  const CutPoint& cut = Script->cut;
  if (cut.occurrence > 0 && strcmp(caption, cut.caption) == 0 &&
      ++CutCaptionSeen == cut.occurrence) {
    CutProgram();
    return;
  }
  const int button = ButtonFor(caption);
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM) {
  char className[32];
  if (!GetClassNameA(window, className, sizeof className)) return TRUE;
  if (strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  const DialogKind kind = DialogKindOf(window);
  if (kind == NotSetupDialog)
    AnswerBox(window);
  else
    HandleSetupDialog(window, kind);
  return TRUE;
}

LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    RecordHookEvent(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateWatcherWindow() {
  WNDCLASSW windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.lpfnWndProc = WatcherProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"WinrunDialogWatcher";
  RegisterClassW(&windowClass);
  // A message-only window: no desktop window list shows it.
  return CreateWindowW(L"WinrunDialogWatcher", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                       windowClass.hInstance, nullptr);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

DWORD WINAPI WatchDesktop(LPVOID) {
  Window = CreateWatcherWindow();
  SetEvent(WatcherReady);
  if (!Window) return 1;
  for (;;) {
    const bool last = StopRequested != 0;
    PumpMessages();
    EnumWindows(VisitWindow, 0);
    if (last) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
  }
  DestroyWindow(Window);
  return 0;
}

}  // namespace

HWND StartBoxWatcher(const WatcherScript* script) {
  Script = script;
  BeginDialogRecords(script);
  WatcherReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD threadId;
  WatcherThread = CreateThread(nullptr, 0, WatchDesktop, nullptr, 0, &threadId);
  if (!WatcherThread) return nullptr;
  WaitForSingleObject(WatcherReady, INFINITE);
  return Window;
}

void StopBoxWatcher() {
  InterlockedExchange(&StopRequested, 1);
  WaitForSingleObject(WatcherThread, 5000);
  CloseHandle(WatcherThread);
  CloseHandle(WatcherReady);
}

void WatchProgram(HANDLE process) { Program = process; }

void CutProgram() {
  if (!Program || InterlockedExchange(&Cut, 1)) return;
  TerminateProcess(Program, 0xC0DE);
  WaitForSingleObject(Program, 5000);
}

bool ProgramWasCut() { return Cut != 0; }
