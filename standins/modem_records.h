// The modem class records that the stand-ins add and remove, as Windows'
// device installer would.
#ifndef STANDINS_MODEM_RECORDS_H
#define STANDINS_MODEM_RECORDS_H

// The Modem class of the Windows 9x family and of Windows NT.
const char* const Win9xModemClass = "System\\CurrentControlSet\\Services\\Class\\Modem";
const char* const NTModemClass =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";

bool RunsOnWindows9x();

// The Modem class of the running Windows.
const char* RunningModemClass();

// Deletes every instance of the class whose "Model" or "DriverDesc" carries
// one of this driver's modem names, with its subkeys (Windows NT deletes
// only keys without subkeys). Returns how many were deleted.
int RemoveModemInstances(const char* classPath);

// Creates the lowest free numbered instance of the class with "DriverDesc"
// and "Model" set to the description; its name goes to instance (5 bytes).
// Returns 1, or 0 when no instance could be created.
int AddModemInstance(const char* classPath, const char* description, char* instance);

#endif
