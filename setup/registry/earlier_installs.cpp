#include "earlier_installs.h"

#include "key_walk.h"

static const char Win9xModemClass[] = "System\\CurrentControlSet\\Services\\Class\\Modem";

void DeleteSecondModem() {
  WalkSubkeys({"Enum\\Root\\Modem", KEY_READ, "Model", ContainsEitherName, DeleteAndGoOn, false});
  WalkSubkeys({Win9xModemClass, KEY_READ, "Model", ContainsEitherName, DeleteAndGoOn, false});
}

void RemoveWDMKeys() {
  WalkSubkeys({"Enum\\TAVELIN.INTEL_AMR.MODEM", KEY_ALL_ACCESS, nullptr, ContainsEitherName,
               DeleteWithRootAndEnd, false});
}

void RemovePciClassKeys() {
  WalkSubkeys({"System\\Currentcontrolset\\services\\class\\pci", KEY_ALL_ACCESS, "Driverdesc",
               ContainsEitherName, DeleteAndGoOn, true});
}

void RemoveNoDeviceEntries() {
  WalkSubkeys({"System\\CurrentControlSet\\Services\\Class\\NoDevice", KEY_READ, "ProviderName",
               EqualsEitherNameIgnoringCase, DeleteAndGoOn, false});
}

// The modem counts as installed when its Model contains either name; a
// Model that is only a part of our name, such as "Modem", belongs to
// another vendor's modem and does not end the wait.
int FindInstalledModem() {
  return WalkSubkeys({Win9xModemClass, KEY_READ, "Model", ContainsEitherName, AnswerFound, false});
}
