// How an interactive run goes on after the welcome dialog, and how the
// restart is requested on each platform class.
#include <gtest/gtest.h>

#include "control/interactive_ending.h"
#include "control/platform_class.h"

namespace {

// Fields: WelcomeShown, QuitPending, ImmediateFinish, TimerRunning, OsClass,
// ReBoot, CopyFilesOnly, Win2KRefreshPending.
TEST(InteractiveEnding, EveryRunEndsOrLeavesAnEndingRunning) {
  struct Case { const char* run; InteractiveRunState state; InteractiveEnding ending; } cases[] = {
      {"welcome dialog not shown", {false, false, false, false, OsClassWin2000, false, false, false},
       EndInteractiveWithFailure},
      {"Cancel posted 0", {true, true, false, false, OsClassNT4, true, false, false},
       WaitForInteractiveEnding},
      {"failed run posted -1 on NT 4.0", {true, true, true, false, OsClassNT4, false, false, false},
       WaitForInteractiveEnding},
      {"NT 4.0 completed, no ReBoot", {true, false, true, false, OsClassNT4, false, false, false},
       OfferRestart},
      {"Windows 2000 completed, ReBoot", {true, false, true, false, OsClassWin2000, true, false, false},
       OfferRestart},
      {"Windows 2000 completed, no ReBoot",
       {true, false, true, false, OsClassWin2000, false, false, false}, EndInteractiveWithSuccess},
      {"Windows 2000 waiting for its service, ReBoot",
       {true, false, false, true, OsClassWin2000, true, false, true}, WaitForInteractiveEnding},
      {"Windows 2000 refresh did not start",
       {true, false, false, false, OsClassWin2000, true, false, true}, CleanUpAndEndInteractive},
      {"copy-only on Windows 98 with ReBoot",
       {true, false, true, false, OsClassWin98SE, true, true, false}, OfferRestart},
      {"copy-only on Windows 95 without ReBoot",
       {true, false, true, false, OsClassWin95, false, true, false}, EndInteractiveWithSuccess},
      {"Windows 98 waiting for the modem, ReBoot",
       {true, false, false, true, OsClassWin98, true, false, false}, WaitForInteractiveEnding},
      {"Windows 98 library missing", {true, false, false, false, OsClassWinME, true, false, false},
       CleanUpAndEndInteractive},
      {"unknown platform", {true, false, false, false, OsClassUnknown, true, false, false},
       CleanUpAndEndInteractive},
  };
  for (const Case& c : cases) EXPECT_EQ(c.ending, ChooseInteractiveEnding(c.state)) << c.run;
}

TEST(InteractiveEnding, RestartDialogEndsWithTheRunsOutcome) {
  EXPECT_EQ(0, RestartDialogExitCode(false));
  EXPECT_EQ(-1, RestartDialogExitCode(true));
}

TEST(RestartRequest, NineXRestartsPlainlyAndNTForcesWithThePrivilege) {
  struct Case { unsigned char osClass; bool privilege; unsigned flags; } cases[] = {
      {OsClassWin95, false, 2},  {OsClassWin98, false, 2}, {OsClassWin98SE, false, 2},
      {OsClassWinME, false, 2},  {OsClassNT4, true, 6},    {OsClassWin2000, true, 6},
      {OsClassUnknown, true, 6},
  };
  for (const Case& c : cases) {
    const RestartRequest request = RestartRequestFor(c.osClass);
    EXPECT_EQ(c.privilege, request.EnableShutdownPrivilege) << "class " << int(c.osClass);
    EXPECT_EQ(c.flags, request.Flags) << "class " << int(c.osClass);
  }
}

}  // namespace
