#include "progress_dialog.h"

#include <commctrl.h>
#include <string.h>

#include "../resources/resource_ids.h"
#include "progress.h"
#include "progress_steps.h"
#include "run_state.h"

HWND ProgressDialog = nullptr;

static const char* const TitleEllipsis = "  . . .";

// Appends the ellipsis to the title, cut to what its buffer holds.
static void AppendEllipsis(char* title, size_t size) {
  const size_t used = strlen(title);
  if (used + 1 < size) strncat(title, TitleEllipsis, size - used - 1);
}

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    AppendEllipsis(ProgressTitle, sizeof ProgressTitle);
    SendDlgItemMessageA(dialog, IDC_PROGRESS_TEXT, EM_LIMITTEXT, DialogTextLimit, 0);
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, ProgressTitle);
    ProgressBar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    SendMessageA(ProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, ProgressBarSteps));
    SendMessageA(ProgressBar, PBM_SETSTEP, 1, 0);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      // Ending a modeless dialog only hides it; the run goes on.
      EndDialog(dialog, IDOK);
      BringWindowToTop(MainWindow);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return FALSE;
  }
  return FALSE;
}

void CreateProgressDialog() {
  ProgressDialog = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_PROGRESS), MainWindow,
                                      ProgressDlgProc, 0);
  if (ProgressDialog) ShowWindow(ProgressDialog, SW_SHOW);
}

void DestroyProgressDialog() {
  if (ProgressDialog) DestroyWindow(ProgressDialog);
  ProgressDialog = nullptr;
  ProgressBar = nullptr;
}
