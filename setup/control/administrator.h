// Whether setup runs with the rights to install a driver on Windows NT.
#pragma once

// 1 when the process token's groups contain the built-in Administrators
// group (S-1-5-32-544), whatever that group's attributes; else 0, also when
// the token or its groups can not be read.
int IsAdministrator();
