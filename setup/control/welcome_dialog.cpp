#include "welcome_dialog.h"

#include "../resources/resource_ids.h"
#include "progress_dialog.h"
#include "run_setup.h"
#include "run_state.h"

INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessageA(dialog, IDC_WELCOME_TEXT, EM_LIMITTEXT, DialogTextLimit, 0);
    SetDlgItemTextA(dialog, IDC_WELCOME_TEXT, WelcomeText);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      // The whole run happens here; the dialog's modal loop returns after it.
      EndDialog(dialog, IDOK);
      CreateProgressDialog();
      if (!RunSetup()) {
        PostRunQuit(-1);
        return FALSE;
      }
      if (ImmediateFinish()) DestroyProgressDialog();
      return TRUE;
    case IDCANCEL:
      PostRunQuit(0);
      EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

bool ShowWelcomeDialog() {
  return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_WELCOME), MainWindow, WelcomeDlgProc,
                         0) == IDOK;
}
