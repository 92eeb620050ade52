// The copy list of qvsetup.ini: extra files of the source directory that a
// platform family installs.
#pragma once

// Copies every entry of the platform's copy list ("COPY_FILES_NT" on NT 4.0,
// "COPY_FILES_9X" on Windows 9x; none on Windows 2000) with CopySourceFile.
void CopyFileList();
