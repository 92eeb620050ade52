// The modeless progress dialog shown while an interactive run installs.
#pragma once
#include <windows.h>

extern HWND ProgressDialog;  // null until created and again once destroyed

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the dialog, owned by the main window, and shows it.
void CreateProgressDialog();

// Destroys the dialog (hidden or not) and forgets it and its bar.
void DestroyProgressDialog();
