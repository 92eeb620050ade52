#include "option_values.h"

const char* YesNoOptionKey(YesNoOption option) {
  static const char* const keys[YesNoOptionCount] = {
      "HardwareDetectNT", "Debug", "WDMDriver", "ReBoot", "CleanUpRegistry", "CopyFilesOnly"};
  return option < YesNoOptionCount ? keys[option] : nullptr;
}

bool OptionValueIsSet(const char* value) { return value[0] == 'Y' || value[0] == 'y'; }
