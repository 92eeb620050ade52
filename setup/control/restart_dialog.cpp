#include "restart_dialog.h"

#include "../resources/resource_ids.h"
#include "install_log.h"
#include "interactive_ending.h"
#include "run_state.h"

static const char* const NotInstalledText =
    "Please restart your computer and run setup again, the modem driver was not installed "
    "correctly.";

enum RestartOutcome { RestartRequested, RestartRefused, TokenUnavailable };

static bool EnableShutdownPrivilege(HANDLE token) {
  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
    return false;
  return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != 0;
}

static RestartOutcome RequestRestart() {
  const RestartRequest request = RestartRequestFor(OsClass);
  if (request.EnableShutdownPrivilege) {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
      LogOutcome("restart", "Windows", nullptr, GetLastError());
      return TokenUnavailable;
    }
    // A privilege that could not be enabled makes the request itself fail.
    EnableShutdownPrivilege(token);
    CloseHandle(token);
  }
  const BOOL requested = ExitWindowsEx(request.Flags, 0);
  LogOutcome("restart", "Windows", nullptr, requested ? 0 : GetLastError());
  return requested ? RestartRequested : RestartRefused;
}

INT_PTR CALLBACK RestartDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessageA(dialog, IDC_RESTART_TEXT, EM_LIMITTEXT, DialogTextLimit, 0);
    SetDlgItemTextA(dialog, IDC_RESTART_TEXT,
                    ServiceRemovalFailed ? NotInstalledText : RestartText);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      switch (RequestRestart()) {
        case TokenUnavailable:
          return TRUE;  // the dialog stays: OK can be tried again, Cancel ends setup
        case RestartRefused:
          // Windows will not restart: nothing else would end setup.
          PostRunQuit(RestartDialogExitCode(RunFailed()));
          break;
        case RestartRequested:
          break;  // the restart ends setup
      }
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      PostRunQuit(RestartDialogExitCode(RunFailed()));
      EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

void ShowRestartDialog() {
  const INT_PTR shown = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_RESTART), MainWindow,
                                        RestartDlgProc, 0);
  if (shown != IDOK) PostRunQuit(RestartDialogExitCode(RunFailed()));
}
