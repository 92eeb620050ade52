// Windows NT 4.0: the serial port of the modem and the records that tell of
// an earlier installation.
#pragma once

#include "com_ports.h"

// The port chosen for the modem, such as COM3; empty until ChooseFreeComPort.
extern char PortName[PortNameSize];

// 1 when the driver service has its "displayname" and a Modem class
// instance's "Model" contains either of our names; else 0.
int FindOldPort();

// Sets PortName to the lowest COM port that the serial port map leaves
// free, or to COM2 when the map can not be opened. 0 when every number from
// 1 to 99 is taken; PortName is then unchanged.
int ChooseFreeComPort();

// Writes PortName as "AttachedTo" of the first Modem class instance whose
// "DriverDesc" is exactly our modem name. 1 when written, else 0.
int AddOldAttachedtoKey();
