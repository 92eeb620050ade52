// How a run ends, silent or after the welcome dialog, and how the restart
// is requested on each platform class.
#include <gtest/gtest.h>

#include "base/platform.h"
#include "control/dialogs_rules.h"
#include "control/run.h"
#include "table_cases.h"

namespace {

// Fields: Silent, WelcomeShown, Outcome, QuitPending, ImmediateFinish,
// TimerRunning, ServiceRemovalFailed, OsClass, ReBoot, CopyFilesOnly,
// Win2KRefreshPending.
TEST(RunEnding, EveryRunEndsOrLeavesAnEndingRunning) {
  const bool S = true, I = false;  // silent, interactive
  const SetupOutcome done = kSequenceDone, failed = kSequenceFailed, none = kSetupNotStarted;
  struct Case {
    const char* run;
    RunEndState state;
    RunEnding ending;
  } cases[] = {
      // Silent.
      {"silent: sequence failed at once",
       {S, false, failed, false, true, false, false, kOsClassNT4, false, false, false},
       kCleanUpAndEndWithFailure},
      {"silent: paths not computed",
       {S, false, none, false, false, false, false, kOsClassWin98, false, false, false},
       kEndWithFailure},
      {"silent: NT 4.0 or Windows 2000 done",
       {S, false, done, false, true, false, false, kOsClassNT4, true, false, false},
       kEndWithSuccess},
      {"silent: NT 4.0, earlier service stayed",
       {S, false, done, false, true, false, true, kOsClassNT4, false, false, false},
       kEndWithFailure},
      {"silent: timer running",
       {S, false, done, false, false, true, false, kOsClassWin98, false, false, false},
       kWaitForEnding},
      {"silent: 98 remove-only posted its quit",
       {S, false, done, true, false, false, false, kOsClassWin98, false, false, false},
       kWaitForEnding},
      {"silent: 98 library missing: the sequence failed, no timer",
       {S, false, failed, false, false, false, false, kOsClassWinME, false, false, false},
       kCleanUpAndEndWithFailure},
      {"silent: 2000 refresh did not start",
       {S, false, done, false, false, false, false, kOsClassWin2000, false, false, true},
       kCleanUpAndEndWithFailure},
      {"silent: CopyFilesOnly with a timer running",
       {S, false, done, false, true, true, false, kOsClassWin98, false, true, false},
       kEndWithSuccess},
      // Interactive.
      {"welcome dialog not shown",
       {I, false, none, false, false, false, false, kOsClassWin2000, false, false, false},
       kEndWithFailure},
      {"Cancel posted 0",
       {I, true, none, true, false, false, false, kOsClassNT4, true, false, false},
       kWaitForEnding},
      {"paths not computed",
       {I, true, none, false, false, false, false, kOsClassNT4, true, false, false},
       kEndWithFailure},
      {"NT 4.0 sequence failed: no restart offered",
       {I, true, failed, false, true, false, false, kOsClassNT4, true, false, false},
       kCleanUpAndEndWithFailure},
      {"NT 4.0 completed, no ReBoot",
       {I, true, done, false, true, false, false, kOsClassNT4, false, false, false},
       kOfferRestart},
      {"NT 4.0, earlier service stayed: the restart dialog warns",
       {I, true, done, false, true, false, true, kOsClassNT4, false, false, false},
       kOfferRestart},
      {"Windows 2000 completed, ReBoot",
       {I, true, done, false, true, false, false, kOsClassWin2000, true, false, false},
       kOfferRestart},
      {"Windows 2000 completed, no ReBoot",
       {I, true, done, false, true, false, false, kOsClassWin2000, false, false, false},
       kEndWithSuccess},
      {"Windows 2000 waiting for its service, ReBoot",
       {I, true, done, false, false, true, false, kOsClassWin2000, true, false, true},
       kWaitForEnding},
      {"Windows 2000 refresh did not start",
       {I, true, done, false, false, false, false, kOsClassWin2000, true, false, true},
       kCleanUpAndEndWithFailure},
      {"copy-only on Windows 98 with ReBoot",
       {I, true, done, false, true, false, false, kOsClassWin98SE, true, true, false},
       kOfferRestart},
      {"copy-only on Windows 95 without ReBoot",
       {I, true, done, false, true, false, false, kOsClassWin95, false, true, false},
       kEndWithSuccess},
      {"Windows 98 waiting for the modem, ReBoot",
       {I, true, done, false, false, true, false, kOsClassWin98, true, false, false},
       kWaitForEnding},
      {"Windows 98 library missing",
       {I, true, failed, false, false, false, false, kOsClassWinME, true, false, false},
       kCleanUpAndEndWithFailure},
      {"unknown platform",
       {I, true, done, false, false, false, false, kOsClassUnknown, true, false, false},
       kCleanUpAndEndWithFailure},
  };
  for (const Case& c : cases) EXPECT_EQ(c.ending, ChooseRunEnding(c.state)) << c.run;
}

// Each ending that ChooseRunEnding picks carries the reason it was chosen
// for; the sequence's own cause where it stopped or left nothing running.
// Fields as above.
TEST(RunEndReason, EachEndingCarriesTheReasonItWasChosenFor) {
  const bool S = true, I = false;
  const SetupOutcome done = kSequenceDone, failed = kSequenceFailed, none = kSetupNotStarted;
  struct Case {
    const char* run;
    RunEndState state;
    RunEndReason sequenceStop;
    RunEndReason reason;
  } cases[] = {
      {"silent: NT 4.0 done",
       {S, false, done, false, true, false, false, kOsClassNT4, false, false, false},
       kEndReasonNone,
       kEndSequenceDone},
      {"silent: CopyFilesOnly done",
       {S, false, done, false, true, true, false, kOsClassWin98, false, true, false},
       kEndReasonNone,
       kEndCopyFilesOnly},
      {"silent: paths not computed",
       {S, false, none, false, false, false, false, kOsClassWin98, false, false, false},
       kEndReasonNone,
       kEndPathsNotFormed},
      {"silent: NT 4.0, earlier service stayed",
       {S, false, done, false, true, false, true, kOsClassNT4, false, false, false},
       kEndReasonNone,
       kEndServiceNotRemoved},
      {"silent: a library missing",
       {S, false, failed, false, false, false, false, kOsClassWinME, false, false, false},
       kEndLibraryNotLoaded,
       kEndLibraryNotLoaded},
      {"silent: the sequence stopped without a cause",
       {S, false, failed, false, true, false, false, kOsClassNT4, false, false, false},
       kEndReasonNone,
       kEndSequenceStopped},
      {"silent: 2000 refresh did not start",
       {S, false, done, false, false, false, false, kOsClassWin2000, false, false, true},
       kEndNoRefresh,
       kEndNoRefresh},
      {"silent: timer running",
       {S, false, done, false, false, true, false, kOsClassWin98, false, false, false},
       kEndReasonNone,
       kEndReasonNone},
      {"welcome dialog not shown",
       {I, false, none, false, false, false, false, kOsClassWin2000, false, false, false},
       kEndReasonNone,
       kEndWelcomeNotShown},
      {"NT 4.0 completed: the restart dialog ends the run",
       {I, true, done, false, true, false, false, kOsClassNT4, false, false, false},
       kEndReasonNone,
       kEndRestartDialog},
  };
  ForEachCase(cases, &Case::run, [](const Case& c) {
    EXPECT_EQ(c.reason, ReasonOfEnding(ChooseRunEnding(c.state), c.state, c.sequenceStop));
  });
}

// A change that could not be made is why a run ends that would have ended
// well or stopped for a lesser cause; a run that did not get to its work,
// or installed nothing, keeps its own reason.
TEST(RunEndReason, AFailedChangeIsTheReasonUnlessTheRunEndedForMore) {
  const Row<RunEndReason, RunEndReason> failed[] = {
      {kEndModemFound, kEndChangeFailed},
      {kEndSequenceDone, kEndChangeFailed},
      {kEndNoRefresh, kEndChangeFailed},
      {kEndOtherDevice, kEndChangeFailed},
      {kEndSequenceStopped, kEndChangeFailed},
      {kEndMediumIncomplete, kEndMediumIncomplete},
      {kEndLibraryNotLoaded, kEndLibraryNotLoaded},
      {kEndEntryMissing, kEndEntryMissing},
      {kEndServiceNeverRan, kEndServiceNeverRan},
      {kEndServiceNotRemoved, kEndServiceNotRemoved},
  };
  ExpectEach(failed, [](RunEndReason reason) { return ReasonWithFailedChange(reason, true); });
  const Row<RunEndReason, RunEndReason> kept[] = {{kEndModemFound, kEndModemFound},
                                                  {kEndOtherDevice, kEndOtherDevice}};
  ExpectEach(kept, [](RunEndReason reason) { return ReasonWithFailedChange(reason, false); });
}

TEST(InteractiveEnding, RestartDialogEndsWithTheRunsOutcome) {
  EXPECT_EQ(0, RestartDialogExitCode(false));
  EXPECT_EQ(-1, RestartDialogExitCode(true));
}

TEST(RestartRequest, NineXRestartsPlainlyAndNTForcesWithThePrivilege) {
  struct Case {
    OsClass osClass;
    bool privilege;
    unsigned flags;
  } cases[] = {
      {kOsClassWin95, false, 2},  {kOsClassWin98, false, 2}, {kOsClassWin98SE, false, 2},
      {kOsClassWinME, false, 2},  {kOsClassNT4, true, 6},    {kOsClassWin2000, true, 6},
      {kOsClassUnknown, true, 6},
  };
  for (const Case& c : cases) {
    const RestartRequest request = RestartRequestFor(c.osClass);
    EXPECT_EQ(c.privilege, request.EnableShutdownPrivilege) << "class " << int(c.osClass);
    EXPECT_EQ(c.flags, request.Flags) << "class " << int(c.osClass);
  }
}

}  // namespace
