#include "driver_sets.h"

#include "matching_files.h"
#include "path_text.h"
#include "setup_paths.h"
#include "source_copy.h"

// The "catalog" sub-directory of the INF directory; neither tested nor
// created: copies into it fail where it is missing.
static void CatalogDir(char* out) { AppendText(out, SetupPathSize, SetupPaths.InfDir, "\\catalog"); }

void CopyNT4DriverFiles(char* infName) {
  AppendText(infName, NT4InfNameSize, "qvsmnt4.inf", "");
  CopySourceFile(SetupPaths.InfDir, infName);
  CopySourceFile(SetupPaths.DriversDir, "qvsm.sys");
  CopyMatchingFiles(SetupPaths.CabsDir, "qvsm*.cat");
  CopyMatchingFiles(SetupPaths.CabsDir, "qvsm*.cab");
  CopySourceFile(SetupPaths.WindowsDir, "qvremove.exe");
}

void CopyVxdDriverFiles() {
  char catalogDir[SetupPathSize];
  CatalogDir(catalogDir);
  CopySourceFile(SetupPaths.InfDir, "qvsmvxd.inf");
  CopySourceFile(SetupPaths.SystemDir, "qvsm.vxd");
  CopySourceFile(SetupPaths.SystemDir, "qvsmvcd.vxd");
  CopySourceFile(SetupPaths.SystemDir, "qvsmdmi.dll");
  CopySourceFile(SetupPaths.CabsDir, "qvsmvxd.cat");
  CopySourceFile(catalogDir, "qvsmvxd.cat");
  CopyMatchingFiles(SetupPaths.CabsDir, "qvsm*.cat");
  CopyMatchingFiles(SetupPaths.CabsDir, "qvsm*.cab");
  CopySourceFile(SetupPaths.CabsDir, "qvsmvxd.inf");
  CopySourceFile(SetupPaths.CabsDir, "qvsm.vxd");
  CopySourceFile(SetupPaths.CabsDir, "qvsmvcd.vxd");
  CopySourceFile(SetupPaths.CabsDir, "qvsmdmi.dll");
}

void CopyWdmDriverFiles() {
  char catalogDir[SetupPathSize];
  CatalogDir(catalogDir);
  CopyMatchingFiles(SetupPaths.DriversDir, "QVSM*.sys");
  CopyMatchingFiles(SetupPaths.InfDir, "QVSM9*.inf");
  CopyMatchingFiles(SetupPaths.SystemDir, "QVSMDMI.dll");
  CopyMatchingFiles(SetupPaths.SystemDir, "QVSMNUM.vxd");
  CopyMatchingFiles(SetupPaths.SystemDir, "QVSMVCD.vxd");
  CopySourceFile(catalogDir, "qvsm9pc.cat");
  CopySourceFile(catalogDir, "qvsm9md.cat");
  CopySourceFile(SetupPaths.CabsDir, "qvsm9pc.cat");
  CopySourceFile(SetupPaths.CabsDir, "qvsm9md.cat");
  CopyMatchingFiles(SetupPaths.CabsDir, "qvsm9pc.cat");
  CopyMatchingFiles(SetupPaths.CabsDir, "qvsm9md.cat");
}

void DeleteNT4DriverFiles() {
  DeleteMatchingFiles(SetupPaths.SystemDir, "qvsm.sys");
  DeleteMatchingFiles(SetupPaths.InfDir, "qvsmnt4*.*");
  DeleteMatchingFiles(SetupPaths.CabsDir, "qvsm*.cat");
  DeleteMatchingFiles(SetupPaths.CabsDir, "qvsm*.cab");
  DeleteMatchingFiles(SetupPaths.WindowsDir, "qvsmmsg.exe");
  DeleteMatchingFiles(SetupPaths.SystemDir, "qvsmmsg.exe");
}

void DeleteOld9xDriverFiles() {
  DeleteMatchingFiles(SetupPaths.InfDir, "QVSM9*.*");
  DeleteMatchingFiles(SetupPaths.InfDir, "qvsmvxd.*");
  DeleteMatchingFiles(SetupPaths.OtherDir, "tavelinqvsmvxd.*");
  DeleteMatchingFiles(SetupPaths.OtherDir, "tavelinqvsm9*.*");
  DeleteMatchingFiles(SetupPaths.CabsDir, "qvsm*.cat");
  DeleteMatchingFiles(SetupPaths.CabsDir, "qvsm*.cab");
  DeleteMatchingFiles(SetupPaths.WindowsDir, "qvsmmsg.exe");
  DeleteMatchingFiles(SetupPaths.SystemDir, "qvsmmsg.exe");
  DeleteMatchingFiles(SetupPaths.WindowsDir, "qvsm.isu");
  DeleteMatchingFiles(SetupPaths.CabsDir, "qvsmmsg.exe");
}

void DeleteBinFile() { DeleteMatchingFiles(SetupPaths.InfDir, "*.bin"); }
