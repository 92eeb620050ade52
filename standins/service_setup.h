// Registering and starting the driver service "TAVELINSoftModem" with the
// service control manager. Only the service program links this, so that
// nothing that runs on the Windows 9x family imports the service calls.
#ifndef STANDINS_SERVICE_SETUP_H
#define STANDINS_SERVICE_SETUP_H
#include <windows.h>

// Creates the service (or re-points an existing one) at the command line
// given and starts it. 1 when it was started or runs already.
int RegisterAndStartModemService(const char* serviceCommand);

#endif
