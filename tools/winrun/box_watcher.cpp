#include "box_watcher.h"

#include <windows.h>
#include <string.h>

static FILE* Log;
static const BoxAnswer* Answers;
static int AnswerCount;
static volatile LONG StopRequested;
static HANDLE WatcherThread;

// Dialogs already answered; a pressed dialog may stay on screen for a
// moment before it closes.
static HWND Answered[64];
static int AnsweredCount;

static bool WasAnswered(HWND window) {
  for (int i = 0; i < AnsweredCount; ++i)
    if (Answered[i] == window) return true;
  return false;
}

static void Remember(HWND window) {
  Answered[AnsweredCount % 64] = window;
  if (AnsweredCount < 64) ++AnsweredCount;
}

static void WriteEscaped(const char* text) {
  for (const char* p = text; *p; ++p) {
    switch (*p) {
      case '\t': fputs("\\t", Log); break;
      case '\n': fputs("\\n", Log); break;
      case '\r': fputs("\\r", Log); break;
      case '\\': fputs("\\\\", Log); break;
      default: fputc(*p, Log);
    }
  }
}

static int ButtonFor(const char* caption) {
  for (int i = 0; i < AnswerCount; ++i)
    if (strcmp(Answers[i].caption, caption) == 0) return Answers[i].buttonId;
  return IDOK;
}

static BOOL CALLBACK VisitWindow(HWND window, LPARAM) {
  char className[32];
  if (!GetClassNameA(window, className, sizeof className)) return TRUE;
  if (strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  if (WasAnswered(window)) return TRUE;

  char caption[256] = "", text[1024] = "";
  GetWindowTextA(window, caption, sizeof caption);
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the text of a message box
  WriteEscaped(caption);
  fputc('\t', Log);
  WriteEscaped(text);
  fputc('\n', Log);
  fflush(Log);

  const int button = ButtonFor(caption);
  Remember(window);
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
  return TRUE;
}

static DWORD WINAPI WatchDesktop(LPVOID) {
  for (;;) {
    const bool last = StopRequested != 0;
    EnumWindows(VisitWindow, 0);
    if (last) return 0;
    Sleep(25);
  }
}

bool StartBoxWatcher(FILE* log, const BoxAnswer* answers, int answerCount) {
  Log = log;
  Answers = answers;
  AnswerCount = answerCount;
  DWORD threadId;
  WatcherThread = CreateThread(nullptr, 0, WatchDesktop, nullptr, 0, &threadId);
  return WatcherThread != nullptr;
}

void StopBoxWatcher() {
  InterlockedExchange(&StopRequested, 1);
  WaitForSingleObject(WatcherThread, 5000);
  CloseHandle(WatcherThread);
}
