#include "input/RescanSchedule.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Two looks after a notice as the system settles; a slow look-out only
// where no notices come and the controller wanted is missing.
TEST(RescanSchedule, TwoLooksAfterANoticeAndALookOutOnlyWithoutNotices) {
  struct Case {
    bool notices, missing;
    Millis third;  // when the look after the second is due
  };
  for (const Case c : {Case{true, true, kNever}, Case{true, false, kNever},
                       Case{false, false, kNever}, Case{false, true, 4100}}) {
    RescanSchedule s;
    EXPECT_EQ(s.NextDue(), kNever) << "nothing at rest";
    s.Notice(100);
    EXPECT_EQ(s.NextDue(), 400);
    s.Looked(405, c.notices, c.missing);
    EXPECT_EQ(s.NextDue(), 2100) << "2 s after the notice, however late the first look";
    s.Looked(2100, c.notices, c.missing);
    EXPECT_EQ(s.NextDue(), c.third) << c.notices << c.missing;
  }
  RescanSchedule s;
  s.Notice(0);
  s.Looked(300, true, true);
  s.Notice(1000);  // another notice starts over
  EXPECT_EQ(s.NextDue(), 1300);
}

}  // namespace
}  // namespace vantrel
