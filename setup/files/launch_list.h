// The launch list of qvsetup.ini: programs a platform family runs at the
// end of its installation.
#pragma once

// Starts every program of the platform's launch list ("LAUNCH_FILES_NT",
// "LAUNCH_FILES_Win2K" or "LAUNCH_FILES_9X") with its argument vector, one
// after another, each waited for to its end; a program that can not be
// started is skipped. Then records the CleanUpRegistry option ("Y" or "N").
void RunLaunchList();
