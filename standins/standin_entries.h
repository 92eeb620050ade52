// The stand-ins' behaviour, written once on a StandinWorld: each entry of
// the setup libraries, the Windows 95 device program and the record
// writer. Each reads its configuration afresh at each call, waits its
// delay, makes its effect and logs one line of the call log.
#ifndef STANDINS_STANDIN_ENTRIES_H
#define STANDINS_STANDIN_ENTRIES_H

#include "standin_world.h"

// The Modem class of the Windows 9x family and of Windows NT.
const char* const Win9xModemClass = "System\\CurrentControlSet\\Services\\Class\\Modem";
const char* const NTModemClass =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";

// The stand-ins' configuration file, beside them.
const char* const StandinConfigName = "qvstandin.ini";
// The controller id that GetHardWareId reports when the configuration names
// none: the modem's.
const char* const DefaultHardwareId = "PCI\\VEN_8086&DEV_2416&SUBSYS_12345678&REV_02";
// Program that writes the class record after a delay (record_writer.cpp).
const char* const RecordWriterName = "standin_record.exe";
// Service program of the NT driver service (modem_service.cpp); with the
// first argument "start" it registers and starts the service.
const char* const ModemServiceProgram = "standin_service.exe";
const char* const ModemServiceName = "TAVELINSoftModem";
// The helpers' delays and lives are capped at ten minutes.
const unsigned long LongestHelperTime = 600000;

// Bytes of one line of the call log, terminator included.
const size_t kCallLineSize = 1200;

struct EntryConfig {
  int Result;
  unsigned long Delay;
  bool Effect;
};

// [entry] Result (default 1), Delay (0), Effect (1).
EntryConfig ReadEntryConfig(StandinWorld& world, const char* section);

// The line to the file that [CallLog] Path names, if any; with [CallLog]
// ErrorMode=1 it ends in the caller's error mode.
void AppendCallLog(StandinWorld& world, const char* line);

// Adds the SourcePath value that Windows setup reads, through which the real
// libraries find installation files: SourcePath="..." or SourcePath=none.
void AddSourcePathNote(StandinWorld& world, char* line, size_t lineSize);

// Deletes every instance of the class whose "Model" or "DriverDesc" carries
// one of this driver's modem names, with its subkeys (Windows NT deletes
// only keys without subkeys). Returns how many were deleted.
int RemoveModemInstances(RegistryCalls& registry, const char* classPath);

// Creates the lowest free numbered instance of the class with "DriverDesc"
// and "Model" set to the description; its name goes to instance (5 bytes).
// Returns 1, or 0 when no instance could be created.
int AddModemInstance(RegistryCalls& registry, const char* classPath, const char* description,
                     char* instance);

// The entries of QVSETUP2.DLL and QVSETUP1.DLL.
int StandinReportOnly(StandinWorld& world, const char* entry);
int StandinRemoveModem(StandinWorld& world);
int StandinGetInfByPci(StandinWorld& world, char* infName, int* flag);
int StandinGetHardWareId(StandinWorld& world, char* hardwareId);
int StandinRefreshWin2K(StandinWorld& world);
int StandinUpdateNT5Device(StandinWorld& world, const wchar_t* hardwareId, const wchar_t* infName);
int StandinInstallClassDevice(StandinWorld& world, const wchar_t* className,
                              const wchar_t* deviceName, const wchar_t* description, int flags);

// qvsetup3.exe with its argument ("remove" or "refresh"): its exit code.
int StandinDeviceProgram(StandinWorld& world, const char* argument);

// standin_record.exe's work once its delay has passed: the class record
// written, its line logged. 1 when the record was written.
int StandinWriteClassRecord(StandinWorld& world, unsigned long delay);

// A line of the driver service: its state ("running", "stopped") with its
// delay and life.
void LogModemServiceState(StandinWorld& world, const char* state, unsigned long delay,
                          unsigned long life);

#endif
