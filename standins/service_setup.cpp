#include "service_setup.h"

#include "standin_entries.h"

int RegisterAndStartModemService(const char* serviceCommand) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return 0;
  SC_HANDLE service = CreateServiceA(manager, ModemServiceName, "TAVELIN Software Modem AMR",
                                     SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                     SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, serviceCommand,
                                     nullptr, nullptr, nullptr, nullptr, nullptr);
  if (!service && GetLastError() == ERROR_SERVICE_EXISTS) {
    service = OpenServiceA(manager, ModemServiceName, SERVICE_ALL_ACCESS);
    if (service && !ChangeServiceConfigA(service, SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                         SERVICE_NO_CHANGE, serviceCommand, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr)) {
      CloseServiceHandle(service);
      service = nullptr;
    }
  }
  int started = 0;
  if (service) {
    started = StartServiceA(service, 0, nullptr) || GetLastError() == ERROR_SERVICE_ALREADY_RUNNING;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return started;
}
