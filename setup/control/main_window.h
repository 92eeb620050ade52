// The hidden main window, owner of every dialog.
#pragma once
#include <windows.h>

// Registers the window class "ModemClass".
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window, titled "Modem", and keeps it hidden.
HWND CreateMainWindow(HINSTANCE instance);

// Hides the main window again after a modal dialog it owned, and updates it.
void HideMainWindow();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
