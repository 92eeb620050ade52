// standin_service.exe <delay> <life>: the driver service "TAVELINSoftModem"
// of Windows 2000. Started by the service control manager it reports
// START_PENDING, RUNNING once delay milliseconds have passed, and stops by
// itself when life milliseconds have passed since its start, or at once on
// a stop or shutdown request. Both times are capped at ten minutes.
// standin_service.exe start <delay> <life> registers the service with
// itself as the program and starts it; exit code 0 when it runs.
#include <windows.h>
#include <stdlib.h>

#include "service_setup.h"
#include "standin_entries.h"
#include "standin_text.h"
#include "win32_world.h"

namespace {

DWORD Delay;

DWORD Life;

HANDLE StopEvent;

SERVICE_STATUS_HANDLE StatusHandle;

SERVICE_STATUS Status;

void Report(DWORD state) {
  Status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  Status.dwCurrentState = state;
  Status.dwControlsAccepted =
      state == SERVICE_STOPPED ? 0 : SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
  Status.dwWin32ExitCode = NO_ERROR;
  Status.dwCheckPoint = state == SERVICE_START_PENDING ? Status.dwCheckPoint + 1 : 0;
  Status.dwWaitHint = state == SERVICE_START_PENDING ? Delay + 1000 : 0;
  SetServiceStatus(StatusHandle, &Status);
}

void LogState(const char* state) {
  Win32StandinWorld world;
  LogModemServiceState(world, state, Delay, Life);
}

void WINAPI Handler(DWORD control) {
  if (control == SERVICE_CONTROL_STOP || control == SERVICE_CONTROL_SHUTDOWN) {
    Report(SERVICE_STOP_PENDING);
    SetEvent(StopEvent);
  } else {
    SetServiceStatus(StatusHandle, &Status);
  }
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
  StatusHandle = RegisterServiceCtrlHandlerA(ModemServiceName, Handler);
  if (!StatusHandle) return;
  Report(SERVICE_START_PENDING);
  if (WaitForSingleObject(StopEvent, Delay) == WAIT_TIMEOUT) {
    Report(SERVICE_RUNNING);
    LogState("running");
    WaitForSingleObject(StopEvent, Life - Delay);
  }
  LogState("stopped");
  Report(SERVICE_STOPPED);
}

// The service's own command line: this program with the two times.
int RegisterAndStart() {
  char path[MAX_PATH];
  char command[MAX_PATH + 40];
  Win32StandinWorld world;
  if (!world.StandinFilePath(path, ModemServiceProgram)) return 1;
  wsprintfA(command, "\"%s\" %lu %lu", path, static_cast<unsigned long>(Delay),
            static_cast<unsigned long>(Life));
  return RegisterAndStartModemService(command) ? 0 : 1;
}

DWORD ArgumentTime(int index) {
  char argument[16];
  ArgumentAt(argument, sizeof argument, GetCommandLineA(), index);
  const unsigned long time = strtoul(argument, nullptr, 10);
  return time > LongestHelperTime ? LongestHelperTime : time;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char mode[8];
  ArgumentAt(mode, sizeof mode, GetCommandLineA(), 0);
  const int first = lstrcmpA(mode, "start") == 0 ? 1 : 0;
  Delay = ArgumentTime(first);
  Life = ArgumentTime(first + 1);
  if (Life < Delay) Life = Delay;
  if (first) return RegisterAndStart();
  StopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!StopEvent) return 1;
  static char name[] = "TAVELINSoftModem";
  SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
