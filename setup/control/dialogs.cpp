#include "dialogs.h"

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "../base/progress.h"
#include "../resources/resource_ids.h"

namespace {

// What a dialog procedure needs beyond its messages, handed over with
// WM_INITDIALOG and kept in the dialog's user data.
struct WelcomeRequest {
  const char* Text;
  void (*Install)(void* context);
  void* Context;
};

struct RestartQuestion {
  const char* Text;
  OsClass osClass;
};

template <typename Data>
Data* DialogData(HWND dialog) {
  return reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void SetDialogText(HWND dialog, int control, const char* text) {
  SendDlgItemMessageA(dialog, control, EM_LIMITTEXT, kDialogTextLimit, 0);
  SetDlgItemTextA(dialog, control, text);
}

INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    SetDialogText(dialog, IDC_WELCOME_TEXT, reinterpret_cast<WelcomeRequest*>(lParam)->Text);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: {
      // The whole run happens here; the dialog's modal loop returns after it.
      const WelcomeRequest* request = DialogData<WelcomeRequest>(dialog);
      EndDialog(dialog, kWelcomeOk);
      request->Install(request->Context);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, kWelcomeCancel);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    char title[kTextBufferSize];
    CopyWholeText(title, sizeof title, reinterpret_cast<const char*>(lParam));
    AppendTitleEllipsis(title, sizeof title);
    SetDialogText(dialog, IDC_PROGRESS_TEXT, title);
    AttachProgressBar(GetDlgItem(dialog, IDC_PROGRESS_BAR));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      // Ending a modeless dialog only hides it; the run goes on.
      EndDialog(dialog, IDOK);
      BringWindowToTop(GetWindow(dialog, GW_OWNER));
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return FALSE;
  }
  return FALSE;
}

enum RestartOutcome { kRestartRequested, kRestartRefused, kTokenUnavailable };

bool EnableShutdownPrivilege(HANDLE token) {
  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
    return false;
  return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != 0;
}

RestartOutcome RequestRestart(OsClass osClass) {
  const RestartRequest request = RestartRequestFor(osClass);
  if (request.EnableShutdownPrivilege) {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
      LogOutcome("restart", "Windows", nullptr, GetLastError());
      return kTokenUnavailable;
    }
    // A privilege that could not be enabled makes the request itself fail.
    EnableShutdownPrivilege(token);
    CloseHandle(token);
  }
  const BOOL requested = ExitWindowsEx(request.Flags, 0);
  LogOutcome("restart", "Windows", nullptr, requested ? 0 : GetLastError());
  return requested ? kRestartRequested : kRestartRefused;
}

INT_PTR CALLBACK RestartDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    SetDialogText(dialog, IDC_RESTART_TEXT, reinterpret_cast<RestartQuestion*>(lParam)->Text);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      switch (RequestRestart(DialogData<RestartQuestion>(dialog)->osClass)) {
        case kTokenUnavailable:
          return TRUE;  // the dialog stays: OK can be tried again, Cancel ends setup
        case kRestartRefused:
          EndDialog(dialog, IDABORT);  // Windows will not restart
          return TRUE;
        case kRestartRequested:
          break;  // the restart ends setup
      }
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

WelcomeAnswer ShowWelcomeDialog(HINSTANCE instance, HWND owner, const char* text,
                                void (*install)(void* context), void* context) {
  WelcomeRequest request = {text, install, context};
  const INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WELCOME), owner,
                                         WelcomeDlgProc, reinterpret_cast<LPARAM>(&request));
  if (answer == kWelcomeOk || answer == kWelcomeCancel) return static_cast<WelcomeAnswer>(answer);
  return kWelcomeNotShown;
}

HWND CreateProgressDialog(HINSTANCE instance, HWND owner, const char* title) {
  HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressDlgProc,
                                   reinterpret_cast<LPARAM>(title));
  if (dialog) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

void DestroyProgressDialog(HWND* dialog) {
  if (*dialog) DestroyWindow(*dialog);
  *dialog = nullptr;
  DetachProgressBar();
}

bool ShowRestartDialog(HINSTANCE instance, HWND owner, const char* text, OsClass osClass) {
  RestartQuestion question = {text, osClass};
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_RESTART), owner, RestartDlgProc,
                         reinterpret_cast<LPARAM>(&question)) == IDOK;
}
