// The parts of a device refresh that Windows finishes in the background:
// the modem's class record on the Windows 9x family, the driver service on
// Windows NT. Both are done by helper programs beside the stand-ins.
#ifndef STANDINS_BACKGROUND_H
#define STANDINS_BACKGROUND_H
#include <windows.h>

// Program that writes the class record after a delay (record_writer.cpp).
const char* const RecordWriterName = "standin_record.exe";
// Service program of the NT driver service (modem_service.cpp); with the
// first argument "start" it registers and starts the service.
const char* const ModemServiceProgram = "standin_service.exe";
const char* const ModemServiceName = "TAVELINSoftModem";

// Starts the record writer, not waited for; the record appears after delay
// milliseconds. 1 when it started.
int StartRecordWriter(DWORD delay);

// Has the service program register "TAVELINSoftModem" and start it: the
// service reports running after delay milliseconds and stops by itself
// after life milliseconds. Waits at most a minute for the registration;
// 1 when the service was started or runs already.
int StartModemService(DWORD delay, DWORD life);

#endif
