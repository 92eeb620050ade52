#include "driver_sets_rules.h"

#include <string.h>

#include "../base/paths_rules.h"
#include "../base/platform.h"

namespace {

const SetStep kNT4CopySteps[] = {
    {kCopyByName, kInInfDir, "qvsmnt4.inf"},      {kCopyByName, kInDriversDir, "qvsm.sys"},
    {kCopyByPattern, kInCabsDir, "qvsm*.cat"},    {kCopyByPattern, kInCabsDir, "qvsm*.cab"},
    {kCopyByName, kInWindowsDir, "qvremove.exe"},
};

const SetStep kVxdCopySteps[] = {
    {kCopyByName, kInInfDir, "qvsmvxd.inf"},    {kCopyByName, kInSystemDir, "qvsm.vxd"},
    {kCopyByName, kInSystemDir, "qvsmvcd.vxd"}, {kCopyByName, kInSystemDir, "qvsmdmi.dll"},
    {kCopyByName, kInCabsDir, "qvsmvxd.cat"},   {kCopyByName, kInCatalogDir, "qvsmvxd.cat"},
    {kCopyByPattern, kInCabsDir, "qvsm*.cat"},  {kCopyByPattern, kInCabsDir, "qvsm*.cab"},
    {kCopyByName, kInCabsDir, "qvsmvxd.inf"},   {kCopyByName, kInCabsDir, "qvsm.vxd"},
    {kCopyByName, kInCabsDir, "qvsmvcd.vxd"},   {kCopyByName, kInCabsDir, "qvsmdmi.dll"},
};

// Steps 10 and 11 copy the two catalogs into the cabinet store a second time.
const SetStep kWdmCopySteps[] = {
    {kCopyByPattern, kInDriversDir, "QVSM*.sys"},  {kCopyByPattern, kInInfDir, "QVSM9*.inf"},
    {kCopyByPattern, kInSystemDir, "QVSMDMI.dll"}, {kCopyByPattern, kInSystemDir, "QVSMNUM.vxd"},
    {kCopyByPattern, kInSystemDir, "QVSMVCD.vxd"}, {kCopyByName, kInCatalogDir, "qvsm9pc.cat"},
    {kCopyByName, kInCatalogDir, "qvsm9md.cat"},   {kCopyByName, kInCabsDir, "qvsm9pc.cat"},
    {kCopyByName, kInCabsDir, "qvsm9md.cat"},      {kCopyByPattern, kInCabsDir, "qvsm9pc.cat"},
    {kCopyByPattern, kInCabsDir, "qvsm9md.cat"},
};

const SetStep kNT4DeleteSteps[] = {
    {kDeleteByPattern, kInSystemDir, "qvsm.sys"},
    {kDeleteByPattern, kInInfDir, "qvsmnt4*.*"},
    {kDeleteByPattern, kInCabsDir, "qvsm*.cat"},
    {kDeleteByPattern, kInCabsDir, "qvsm*.cab"},
    {kDeleteByPattern, kInWindowsDir, "qvsmmsg.exe"},
    {kDeleteByPattern, kInSystemDir, "qvsmmsg.exe"},
};

const SetStep kOld9xDeleteSteps[] = {
    {kDeleteByPattern, kInInfDir, "QVSM9*.*"},
    {kDeleteByPattern, kInInfDir, "qvsmvxd.*"},
    {kDeleteByPattern, kInOtherDir, "tavelinqvsmvxd.*"},
    {kDeleteByPattern, kInOtherDir, "tavelinqvsm9*.*"},
    {kDeleteByPattern, kInCabsDir, "qvsm*.cat"},
    {kDeleteByPattern, kInCabsDir, "qvsm*.cab"},
    {kDeleteByPattern, kInWindowsDir, "qvsmmsg.exe"},
    {kDeleteByPattern, kInSystemDir, "qvsmmsg.exe"},
    {kDeleteByPattern, kInWindowsDir, "qvsm.isu"},
    {kDeleteByPattern, kInCabsDir, "qvsmmsg.exe"},
};

const SetStep kBinDeleteSteps[] = {{kDeleteByPattern, kInInfDir, "*.bin"}};

const SetStep kUninstallerSteps[] = {{kCopyByName, kInWindowsDir, "qvremove.exe"}};

const SetStep kWin2000UninstallerSteps[] = {
    {kCopyByName, kInWindowsDir, "qvremove.exe"},
    {kCopyByName, kInCabsDir, "qvremove.exe"},
};

const SetStep kWin2000MonitorSteps[] = {
    {kDeleteByPattern, kInWindowsDir, "qvsmmsg.exe"},
    {kDeleteByPattern, kInSystemDir, "qvsmmsg.exe"},
    {kDeleteByPattern, kInWindowsDir, "qvsm.isu"},
    {kDeleteByPattern, kInCabsDir, "qvsmmsg.exe"},
};

template <size_t N>
DriverSet SetOf(const SetStep (&steps)[N]) {
  return {steps, N};
}

// The bytes of the buffer in which a step forms its destination path, and
// the length of that path beyond the Windows directory; 0 when the step has
// no fixed destination.
size_t DestinationBuffer(const SetStep& step) {
  switch (step.Operation) {
    case kCopyByName:
      return kCopyPathSize;
    case kDeleteByPattern:
      return kSetupPathSize;
    default:
      return 0;
  }
}

// Lowers *longest so that the step's destination fits its buffer: the
// Windows directory, the directory's suffix, a backslash and the name.
void FitStep(const SetStep& step, size_t* longest) {
  const size_t buffer = DestinationBuffer(step);
  if (buffer == 0) return;
  const size_t beyond = strlen(SetDirectorySuffix(step.Directory)) + 1 + strlen(step.Name);
  const size_t room = buffer - 1 - beyond;
  if (room < *longest) *longest = room;
}

void FitSet(const DriverSet& set, size_t* longest) {
  for (size_t i = 0; i < set.Count; ++i) FitStep(set.Steps[i], longest);
}

}  // namespace

const DriverSet kNT4CopySet = SetOf(kNT4CopySteps);
const DriverSet kVxdCopySet = SetOf(kVxdCopySteps);
const DriverSet kWdmCopySet = SetOf(kWdmCopySteps);
const DriverSet kNT4DeleteSet = SetOf(kNT4DeleteSteps);
const DriverSet kOld9xDeleteSet = SetOf(kOld9xDeleteSteps);
const DriverSet kBinDeleteSet = SetOf(kBinDeleteSteps);
const DriverSet kUninstallerSet = SetOf(kUninstallerSteps);
const DriverSet kWin2000UninstallerSet = SetOf(kWin2000UninstallerSteps);
const DriverSet kWin2000MonitorSet = SetOf(kWin2000MonitorSteps);

const char* SetDirectorySuffix(SetDirectory directory) {
  switch (directory) {
    case kInSystemDir:
      return "\\system32";
    case kInDriversDir:
      return kDriversSuffix;
    case kInCabsDir:
      return kCabsSuffix;
    case kInInfDir:
      return kInfSuffix;
    case kInCatalogDir:
      return "\\INF\\catalog";
    case kInOtherDir:
      return "\\INF\\OTHER";
    default:
      return "";
  }
}

namespace {

enum { kMostSetsOfAClass = 5 };

// The sets of each class, removal and install. The 98 family's row holds
// both driver sets: the WDMDriver option, which chooses between them, is
// read only after the paths.
struct ClassSets {
  OsClass osClass;
  const DriverSet* sets[kMostSetsOfAClass];  // ends at the first null
};

const ClassSets kClassSets[] = {
    {kOsClassNT4, {&kNT4DeleteSet, &kNT4CopySet}},
    {kOsClassWin2000, {&kWin2000UninstallerSet, &kWin2000MonitorSet}},
    {kOsClassWin95, {&kBinDeleteSet, &kOld9xDeleteSet, &kVxdCopySet}},
    {kOsClassWin98, {&kOld9xDeleteSet, &kBinDeleteSet, &kUninstallerSet, &kVxdCopySet}},
    {kOsClassWin98SE,
     {&kOld9xDeleteSet, &kBinDeleteSet, &kUninstallerSet, &kVxdCopySet, &kWdmCopySet}},
    {kOsClassWinME,
     {&kOld9xDeleteSet, &kBinDeleteSet, &kUninstallerSet, &kVxdCopySet, &kWdmCopySet}},
};

const ClassSets* SetsOf(OsClass osClass) {
  for (const ClassSets& row : kClassSets) {
    if (row.osClass == osClass) return &row;
  }
  return nullptr;
}

}  // namespace

bool ClassRunsSet(OsClass osClass, const DriverSet& set) {
  const ClassSets* row = SetsOf(osClass);
  if (row == nullptr) return false;
  for (const DriverSet* each : row->sets) {
    if (each == &set) return true;
  }
  return false;
}

size_t LongestWindowsDir(OsClass osClass) {
  size_t longest = kSetupPathSize - 1 - strlen(kDriversSuffix);
  const ClassSets* row = SetsOf(osClass);
  if (row == nullptr) return longest;
  for (const DriverSet* set : row->sets) {
    if (set != nullptr) FitSet(*set, &longest);
  }
  return longest;
}
