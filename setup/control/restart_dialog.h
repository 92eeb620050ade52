// The restart dialog, and the restart of Windows it asks for.
#pragma once
#include <windows.h>

INT_PTR CALLBACK RestartDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the restart dialog modally, owned by the main window. A dialog
// that can not be shown ends the run as its Cancel would.
void ShowRestartDialog();
