#include "dialogs.h"

#include <commctrl.h>

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
  Host* RunHost;
};

struct ProgressRequest {
  const char* Title;
  Host* RunHost;
};

void StepProgressBar(void* bar) { SendMessageA(static_cast<HWND>(bar), PBM_STEPIT, 0, 0); }

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
    const ProgressRequest* request = reinterpret_cast<const ProgressRequest*>(lParam);
    char title[kTextBufferSize];
    CopyWholeText(title, sizeof title, request->Title);
    AppendTitleEllipsis(title, sizeof title);
    SetDialogText(dialog, IDC_PROGRESS_TEXT, title);
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, kProgressBarSteps));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    AttachProgressBar(&request->RunHost->progress, StepProgressBar, bar);
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

RestartOutcome RequestRestart(Host& host, OsClass osClass) {
  const RestartRequest request = RestartRequestFor(osClass);
  if (request.EnableShutdownPrivilege) {
    const SystemStatus token = host.system->EnableShutdownPrivilege();
    if (token != kStatusSuccess) {
      TellOutcome(host, kEventRestartRequested, "Windows", nullptr, token);
      return kTokenUnavailable;
    }
  }
  const SystemStatus requested = TellOutcome(host, kEventRestartRequested, "Windows", nullptr,
                                             host.system->RequestRestart(request.Flags));
  return requested == kStatusSuccess ? kRestartRequested : kRestartRefused;
}

INT_PTR CALLBACK RestartDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    SetDialogText(dialog, IDC_RESTART_TEXT, reinterpret_cast<RestartQuestion*>(lParam)->Text);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: {
      const RestartQuestion* question = DialogData<RestartQuestion>(dialog);
      switch (RequestRestart(*question->RunHost, question->osClass)) {
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
    }
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

DialogScreens::DialogScreens(HINSTANCE instance, Host* host)
    : Instance(instance),
      RunHost(host),
      osClass(kOsClassUnknown),
      MainWindow(nullptr),
      ProgressDialog(nullptr) {
  LoadStringA(instance, IDS_WELCOME, WelcomeText, kTextBufferSize);
  LoadStringA(instance, IDS_RESTART, RestartText, kTextBufferSize);
  LoadStringA(instance, IDS_PROGRESS, ProgressTitle, kTextBufferSize);
}

void DialogScreens::OpenProgress() {
  ProgressRequest request = {ProgressTitle, RunHost};
  ProgressDialog = CreateDialogParamA(Instance, MAKEINTRESOURCEA(IDD_PROGRESS), MainWindow,
                                      ProgressDlgProc, reinterpret_cast<LPARAM>(&request));
  if (ProgressDialog) ShowWindow(ProgressDialog, SW_SHOW);
}

void DialogScreens::CloseProgress() {
  if (ProgressDialog) DestroyWindow(ProgressDialog);
  ProgressDialog = nullptr;
  DetachProgressBar(&RunHost->progress);
}

void DialogScreens::HideMainWindow() {
  ShowWindow(MainWindow, SW_HIDE);
  UpdateWindow(MainWindow);
}

bool DialogScreens::AskRestart(bool notInstalled) {
  RestartQuestion question = {notInstalled ? kNotInstalledText : RestartText, osClass, RunHost};
  return DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_RESTART), MainWindow, RestartDlgProc,
                         reinterpret_cast<LPARAM>(&question)) == IDOK;
}
