// Windows NT 4.0: the serial port of the modem and the records that tell of
// an earlier installation.
#ifndef SETUP_REGISTRY_PORT_RECORDS_H
#define SETUP_REGISTRY_PORT_RECORDS_H

#include "../base/host.h"
#include "port_records_rules.h"

// Whether the driver service has its "displayname" and a Modem class
// instance's "Model" contains either of our names.
bool FindOldPort(Host& host);

// Whether a Modem class instance's "Model" contains either of our names,
// whatever the driver service holds.
bool FindOurModemInstance(Host& host);

// Sets portName (kPortNameSize bytes), the port chosen for the modem, to the
// lowest COM port that the serial port map leaves free, or to COM2 when the
// map can not be opened. False when every number from 1 to 99 is taken;
// portName is then unchanged.
bool ChooseFreeComPort(Host& host, char* portName);

// Writes portName as "AttachedTo" of the first Modem class instance whose
// "DriverDesc" is exactly our modem name. True when written.
bool AddOldAttachedtoKey(Host& host, const char* portName);

#endif
