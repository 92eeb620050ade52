#include "driver_sets.h"

#include "source_files.h"

namespace {

// The "catalog" sub-directory of the INF directory; neither tested nor
// created: copies into it fail where it is missing.
void CatalogDir(const SetupPaths& paths, char* out) {
  AppendText(out, kSetupPathSize, paths.InfDir, "\\catalog");
}

}  // namespace

void CopyNT4DriverFiles(const SetupPaths& paths, char* infName) {
  CopyWholeText(infName, kNT4InfNameSize, "qvsmnt4.inf");
  CopySourceFile(paths.SourceDir, paths.InfDir, infName);
  CopySourceFile(paths.SourceDir, paths.DriversDir, "qvsm.sys");
  CopyMatchingFiles(paths.SourceDir, paths.CabsDir, "qvsm*.cat");
  CopyMatchingFiles(paths.SourceDir, paths.CabsDir, "qvsm*.cab");
  CopySourceFile(paths.SourceDir, paths.WindowsDir, "qvremove.exe");
}

void CopyVxdDriverFiles(const SetupPaths& paths) {
  char catalogDir[kSetupPathSize];
  CatalogDir(paths, catalogDir);
  CopySourceFile(paths.SourceDir, paths.InfDir, "qvsmvxd.inf");
  CopySourceFile(paths.SourceDir, paths.SystemDir, "qvsm.vxd");
  CopySourceFile(paths.SourceDir, paths.SystemDir, "qvsmvcd.vxd");
  CopySourceFile(paths.SourceDir, paths.SystemDir, "qvsmdmi.dll");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsmvxd.cat");
  CopySourceFile(paths.SourceDir, catalogDir, "qvsmvxd.cat");
  CopyMatchingFiles(paths.SourceDir, paths.CabsDir, "qvsm*.cat");
  CopyMatchingFiles(paths.SourceDir, paths.CabsDir, "qvsm*.cab");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsmvxd.inf");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsm.vxd");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsmvcd.vxd");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsmdmi.dll");
}

void CopyWdmDriverFiles(const SetupPaths& paths) {
  char catalogDir[kSetupPathSize];
  CatalogDir(paths, catalogDir);
  CopyMatchingFiles(paths.SourceDir, paths.DriversDir, "QVSM*.sys");
  CopyMatchingFiles(paths.SourceDir, paths.InfDir, "QVSM9*.inf");
  CopyMatchingFiles(paths.SourceDir, paths.SystemDir, "QVSMDMI.dll");
  CopyMatchingFiles(paths.SourceDir, paths.SystemDir, "QVSMNUM.vxd");
  CopyMatchingFiles(paths.SourceDir, paths.SystemDir, "QVSMVCD.vxd");
  CopySourceFile(paths.SourceDir, catalogDir, "qvsm9pc.cat");
  CopySourceFile(paths.SourceDir, catalogDir, "qvsm9md.cat");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsm9pc.cat");
  CopySourceFile(paths.SourceDir, paths.CabsDir, "qvsm9md.cat");
  CopyMatchingFiles(paths.SourceDir, paths.CabsDir, "qvsm9pc.cat");
  CopyMatchingFiles(paths.SourceDir, paths.CabsDir, "qvsm9md.cat");
}

void DeleteNT4DriverFiles(const SetupPaths& paths) {
  DeleteMatchingFiles(paths.SystemDir, "qvsm.sys");
  DeleteMatchingFiles(paths.InfDir, "qvsmnt4*.*");
  DeleteMatchingFiles(paths.CabsDir, "qvsm*.cat");
  DeleteMatchingFiles(paths.CabsDir, "qvsm*.cab");
  DeleteMatchingFiles(paths.WindowsDir, "qvsmmsg.exe");
  DeleteMatchingFiles(paths.SystemDir, "qvsmmsg.exe");
}

void DeleteOld9xDriverFiles(const SetupPaths& paths) {
  DeleteMatchingFiles(paths.InfDir, "QVSM9*.*");
  DeleteMatchingFiles(paths.InfDir, "qvsmvxd.*");
  DeleteMatchingFiles(paths.OtherDir, "tavelinqvsmvxd.*");
  DeleteMatchingFiles(paths.OtherDir, "tavelinqvsm9*.*");
  DeleteMatchingFiles(paths.CabsDir, "qvsm*.cat");
  DeleteMatchingFiles(paths.CabsDir, "qvsm*.cab");
  DeleteMatchingFiles(paths.WindowsDir, "qvsmmsg.exe");
  DeleteMatchingFiles(paths.SystemDir, "qvsmmsg.exe");
  DeleteMatchingFiles(paths.WindowsDir, "qvsm.isu");
  DeleteMatchingFiles(paths.CabsDir, "qvsmmsg.exe");
}

void DeleteBinFile(const SetupPaths& paths) { DeleteMatchingFiles(paths.InfDir, "*.bin"); }
