#include <gtest/gtest.h>

#include "base/platform.h"
#include "control/run.h"
#include "control/sequences.h"
#include "control/timers.h"

namespace {

// The tick on which a timer that never finds what it waits for gives up.
unsigned TicksUntilLimit(unsigned interval, unsigned limit) {
  unsigned elapsed = 0;
  for (unsigned tick = 1; tick < 1000; ++tick)
    if (CountMissedTick(&elapsed, interval, limit)) return tick;
  return 0;
}

TEST(TimerLimits, LastTickPerTimer) {
  struct Case {
    const char* timer;
    unsigned interval, limit, lastTick;
  } cases[] = {
      {"modem poll, Windows 95", kModemPollInterval, ModemPollLimit(kOsClassWin95), 90},
      {"modem poll, Windows 98", kModemPollInterval, ModemPollLimit(kOsClassWin98), 60},
      {"modem poll, Windows 98 SE", kModemPollInterval, ModemPollLimit(kOsClassWin98SE), 60},
      {"modem poll, Windows ME", kModemPollInterval, ModemPollLimit(kOsClassWinME), 60},
      {"service poll", kServicePollInterval, kServicePollLimit, 32},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.lastTick, TicksUntilLimit(c.interval, c.limit)) << c.timer;
}

TEST(TimerLimits, ModemPollLimitInMilliseconds) {
  EXPECT_EQ(270000u, ModemPollLimit(kOsClassWin95));
  EXPECT_EQ(180000u, ModemPollLimit(kOsClassWin98));
  EXPECT_EQ(180000u, ModemPollLimit(kOsClassWin2000));
}

TEST(TimerLimits, ACounterPastTheLimitStaysThereWithoutWrapping) {
  unsigned elapsed = ~0u - 1000;
  EXPECT_TRUE(CountMissedTick(&elapsed, kServicePollInterval, kServicePollLimit));
  EXPECT_EQ(~0u, elapsed);
  EXPECT_TRUE(CountMissedTick(&elapsed, kServicePollInterval, kServicePollLimit));
  EXPECT_EQ(~0u, elapsed);
}

TEST(SequenceChoices, RemoveOnlyIsDWithoutR) {
  struct Case {
    bool remove, refresh, removeOnly;
  } cases[] = {
      {false, false, false}, {true, false, true}, {false, true, false}, {true, true, false}};
  for (const Case& c : cases) {
    const CommandSwitches switches = {true, c.remove, c.refresh};
    EXPECT_EQ(c.removeOnly, IsRemoveOnly(switches)) << "D=" << c.remove << " R=" << c.refresh;
  }
}

TEST(SequenceChoices, DriverSetPerClassAndOption) {
  struct Case {
    OsClass osClass;
    bool option, wdm;
  } cases[] = {
      {kOsClassWin98, false, false}, {kOsClassWin98, true, false}, {kOsClassWin98SE, false, false},
      {kOsClassWin98SE, true, true}, {kOsClassWinME, false, true}, {kOsClassWinME, true, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.wdm, UsesWdmDriverSet(c.osClass, c.option))
        << "class " << int(c.osClass) << " WDMDriver=" << c.option;
}

}  // namespace
