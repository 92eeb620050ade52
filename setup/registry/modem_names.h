// The two names by which setup recognises its own registry entries, and the
// rules by which a value read from an entry is compared with them.
#ifndef SETUP_REGISTRY_MODEM_NAMES_H
#define SETUP_REGISTRY_MODEM_NAMES_H

// The name under which this package installs the modem.
const char* const kOurModemName = "TAVELIN Software Modem AMR";
// A second name that earlier installations may carry.
const char* const kOtherModemName = "Norvik Technologies Soft Modem";

enum NameRule {
  kContainsEitherName,            // either name is a substring, letter case significant
  kEqualsEitherNameIgnoringCase,  // the whole value is either name, letter case ignored
  kEqualsOurName,                 // the whole value is kOurModemName, letter case significant
};

bool MatchesNameRule(NameRule rule, const char* value);

#endif
