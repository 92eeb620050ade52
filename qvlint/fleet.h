// qvlint --fleet LOG...|DIR: the installation logs of a fleet summed up,
// one line per computer, the failures grouped by their reason, the counts.
#ifndef QVLINT_FLEET_H
#define QVLINT_FLEET_H

// The arguments beside --fleet: --json and the logs, files or directories.
int FleetCommand(int argc, char** argv);

#endif
