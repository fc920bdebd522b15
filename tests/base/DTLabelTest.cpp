// The date and time label settings: defaults, change notification, copying.
#include <gtest/gtest.h>

#include <functional>

#include "controls/base/PLX_DTLabel.h"

namespace {

struct DTLabelTest : ::testing::Test {
  void SetUp() override {
    label.OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, &label);
      ++changes;
    };
  }
  TDTLabel label;
  int changes = 0;
};

TEST_F(DTLabelTest, Defaults) {
  EXPECT_EQ(label.TimeFormat(), tfHHMMSS);
  EXPECT_EQ(label.DateSeparator(), u'-');
  EXPECT_EQ(label.TimeSeparator(), u':');
  EXPECT_EQ(label.YearLength(), ylYYYY);
  EXPECT_TRUE(label.MonthName());
  EXPECT_EQ(label.DateOrder(), doDDMMYY);
  EXPECT_EQ(label.DateForTime(), dtOnePerDay);
}

TEST_F(DTLabelTest, EnumerationValues) {
  EXPECT_EQ(int(tfAMPM), 2);
  EXPECT_EQ(int(ylYY), 1);
  EXPECT_EQ(int(doYYMMDD), 2);
  EXPECT_EQ(int(dtNone), 0);
  EXPECT_EQ(int(dtAllTicks), 3);
}

// One row per setting: a setter that sets the current value again, and one
// that sets a different value.
struct SettingCase {
  const char* name;
  std::function<void(TDTLabel&)> setSame;
  std::function<void(TDTLabel&)> setOther;
  std::function<bool(const TDTLabel&)> holdsOther;
  bool notifiesUnchanged;
};

const SettingCase kSettings[] = {
    {"TimeFormat",
     [](TDTLabel& l) { l.SetTimeFormat(tfHHMMSS); },
     [](TDTLabel& l) { l.SetTimeFormat(tfAMPM); },
     [](const TDTLabel& l) { return l.TimeFormat() == tfAMPM; },
     true},
    {"DateSeparator",
     [](TDTLabel& l) { l.SetDateSeparator(u'-'); },
     [](TDTLabel& l) { l.SetDateSeparator(u'/'); },
     [](const TDTLabel& l) { return l.DateSeparator() == u'/'; },
     false},
    {"TimeSeparator",
     [](TDTLabel& l) { l.SetTimeSeparator(u':'); },
     [](TDTLabel& l) { l.SetTimeSeparator(u'.'); },
     [](const TDTLabel& l) { return l.TimeSeparator() == u'.'; },
     false},
    {"YearLength",
     [](TDTLabel& l) { l.SetYearLength(ylYYYY); },
     [](TDTLabel& l) { l.SetYearLength(ylNone); },
     [](const TDTLabel& l) { return l.YearLength() == ylNone; },
     false},
    {"MonthName",
     [](TDTLabel& l) { l.SetMonthName(true); },
     [](TDTLabel& l) { l.SetMonthName(false); },
     [](const TDTLabel& l) { return !l.MonthName(); },
     false},
    {"DateOrder",
     [](TDTLabel& l) { l.SetDateOrder(doDDMMYY); },
     [](TDTLabel& l) { l.SetDateOrder(doMMDDYY); },
     [](const TDTLabel& l) { return l.DateOrder() == doMMDDYY; },
     true},
    {"DateForTime",
     [](TDTLabel& l) { l.SetDateForTime(dtOnePerDay); },
     [](TDTLabel& l) { l.SetDateForTime(dtAllTicks); },
     [](const TDTLabel& l) { return l.DateForTime() == dtAllTicks; },
     false},
};

TEST_F(DTLabelTest, SettersNotifyOnChangeAndSomeOnEveryAssignment) {
  for (const SettingCase& c : kSettings) {
    SCOPED_TRACE(c.name);
    TDTLabel fresh;
    int count = 0;
    fresh.OnChange = [&count](TObject*) { ++count; };
    c.setSame(fresh);
    EXPECT_EQ(count, c.notifiesUnchanged ? 1 : 0);
    c.setOther(fresh);
    EXPECT_TRUE(c.holdsOther(fresh));
    EXPECT_EQ(count, c.notifiesUnchanged ? 2 : 1);
  }
}

TEST_F(DTLabelTest, SettersWorkWithoutAHandler) {
  TDTLabel plain;
  plain.SetTimeFormat(tfHHhMM);
  plain.SetYearLength(ylYY);
  EXPECT_EQ(plain.TimeFormat(), tfHHhMM);
  EXPECT_EQ(plain.YearLength(), ylYY);
}

TEST_F(DTLabelTest, AssignCopiesTheSevenSettingsQuietly) {
  TDTLabel source;
  int sourceChanges = 0;
  source.OnChange = [&sourceChanges](TObject*) { ++sourceChanges; };
  source.SetTimeFormat(tfAMPM);
  source.SetDateSeparator(u'.');
  source.SetTimeSeparator(u'h');
  source.SetYearLength(ylYY);
  source.SetMonthName(false);
  source.SetDateOrder(doYYMMDD);
  source.SetDateForTime(dtOnePerChart);

  label.Assign(source);
  EXPECT_EQ(label.TimeFormat(), tfAMPM);
  EXPECT_EQ(label.DateSeparator(), u'.');
  EXPECT_EQ(label.TimeSeparator(), u'h');
  EXPECT_EQ(label.YearLength(), ylYY);
  EXPECT_FALSE(label.MonthName());
  EXPECT_EQ(label.DateOrder(), doYYMMDD);
  EXPECT_EQ(label.DateForTime(), dtOnePerChart);
  EXPECT_EQ(changes, 0) << "the owner repaints by its own rule";

  // The receiver keeps its own notification target.
  const int before = sourceChanges;
  label.SetYearLength(ylNone);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sourceChanges, before);
}

}  // namespace
