// The welcome dialog: asks whether to install, and runs the installation
// inside its OK command.
#pragma once
#include <windows.h>

INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the welcome dialog modally, owned by the main window. True when it
// was shown and ended by OK or Cancel.
bool ShowWelcomeDialog();
