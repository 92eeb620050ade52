// How an interactive run goes on after the welcome dialog, and how the
// restart is requested on each platform class.
#include <gtest/gtest.h>

#include "base/platform_rules.h"
#include "control/dialogs_rules.h"
#include "control/run_rules.h"

namespace {

// Fields: WelcomeShown, QuitPending, ImmediateFinish, TimerRunning, OsClass,
// ReBoot, CopyFilesOnly, Win2KRefreshPending.
TEST(InteractiveEnding, EveryRunEndsOrLeavesAnEndingRunning) {
  struct Case {
    const char* run;
    InteractiveRunState state;
    InteractiveEnding ending;
  } cases[] = {
      {"welcome dialog not shown",
       {false, false, false, false, kOsClassWin2000, false, false, false},
       kEndInteractiveWithFailure},
      {"Cancel posted 0",
       {true, true, false, false, kOsClassNT4, true, false, false},
       kWaitForInteractiveEnding},
      {"failed run posted -1 on NT 4.0",
       {true, true, true, false, kOsClassNT4, false, false, false},
       kWaitForInteractiveEnding},
      {"NT 4.0 completed, no ReBoot",
       {true, false, true, false, kOsClassNT4, false, false, false},
       kOfferRestart},
      {"Windows 2000 completed, ReBoot",
       {true, false, true, false, kOsClassWin2000, true, false, false},
       kOfferRestart},
      {"Windows 2000 completed, no ReBoot",
       {true, false, true, false, kOsClassWin2000, false, false, false},
       kEndInteractiveWithSuccess},
      {"Windows 2000 waiting for its service, ReBoot",
       {true, false, false, true, kOsClassWin2000, true, false, true},
       kWaitForInteractiveEnding},
      {"Windows 2000 refresh did not start",
       {true, false, false, false, kOsClassWin2000, true, false, true},
       kCleanUpAndEndInteractive},
      {"copy-only on Windows 98 with ReBoot",
       {true, false, true, false, kOsClassWin98SE, true, true, false},
       kOfferRestart},
      {"copy-only on Windows 95 without ReBoot",
       {true, false, true, false, kOsClassWin95, false, true, false},
       kEndInteractiveWithSuccess},
      {"Windows 98 waiting for the modem, ReBoot",
       {true, false, false, true, kOsClassWin98, true, false, false},
       kWaitForInteractiveEnding},
      {"Windows 98 library missing",
       {true, false, false, false, kOsClassWinME, true, false, false},
       kCleanUpAndEndInteractive},
      {"unknown platform",
       {true, false, false, false, kOsClassUnknown, true, false, false},
       kCleanUpAndEndInteractive},
  };
  for (const Case& c : cases) EXPECT_EQ(c.ending, ChooseInteractiveEnding(c.state)) << c.run;
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
