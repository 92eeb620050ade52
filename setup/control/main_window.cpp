#include "main_window.h"

#include "completion_timers.h"
#include "final_cleanup.h"
#include "run_state.h"

static const char* const MainWindowClass = "ModemClass";

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = MainWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  HWND window = CreateWindowA(MainWindowClass, "Modem", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance, nullptr);
  ShowWindow(window, SW_HIDE);
  UpdateWindow(window);
  return window;
}

void HideMainWindow() {
  ShowWindow(MainWindow, SW_HIDE);
  UpdateWindow(MainWindow);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    KillCompletionTimers();
    if (!CleanupDone) FinalCleanup();
    PostRunQuit(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
