// The two names by which setup recognises its own registry entries, and the
// rules by which a value read from an entry is compared with them.
#pragma once

// The name under which this package installs the modem.
const char* const OurModemName = "TAVELIN Software Modem AMR";
// A second name that earlier installations may carry.
const char* const OtherModemName = "Norvik Technologies Soft Modem";

enum NameRule {
  ContainsEitherName,            // either name is a substring, letter case significant
  EqualsEitherNameIgnoringCase,  // the whole value is either name, letter case ignored
  EqualsOurName,                 // the whole value is OurModemName, letter case significant
};

bool MatchesNameRule(NameRule rule, const char* value);
