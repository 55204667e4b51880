// A drive's state from the sense of TEST UNIT READY, and the events of a change of state.
#include "live/drive_state.h"

#include <gtest/gtest.h>

namespace {

using live::DriveState;
using live::EventKind;

TEST(DriveState, FromTestUnitReady) {
  struct Case {
    bool answered;
    bool good;
    device::Sense sense;
    std::optional<DriveState> state;
    const char* text;
  };
  const Case cases[] = {
      {true, true, {}, DriveState::Ready, "Ready"},
      {true, false, {0x02, 0x3A, 0x00}, DriveState::NoDisc, "No disc"},
      {true, false, {0x02, 0x3A, 0x01}, DriveState::NoDisc, "No disc"},  // tray closed
      {true, false, {0x02, 0x3A, 0x02}, DriveState::TrayOpen, "Tray open"},
      {true, false, {0x02, 0x04, 0x01}, DriveState::Loading, "Loading\xE2\x80\xA6"},
      {true, false, {0x02, 0x04, 0x00}, DriveState::Loading, "Loading\xE2\x80\xA6"},
      {true, false, {0x02, 0x04, 0x07}, DriveState::Busy, "Busy (another program is writing)"},
      {true, false, {0x02, 0x04, 0x08}, DriveState::Busy, "Busy (another program is writing)"},
      {true, false, {0x06, 0x28, 0x00}, std::nullopt, ""},  // disc changed: ask again
      {true, false, {0x06, 0x29, 0x00}, std::nullopt, ""},  // reset: ask again
      {true, false, {0x04, 0x44, 0x00}, DriveState::NotAnswering, "Not answering"},
      {true, false, {0x00, 0x00, 0x00}, DriveState::NotAnswering, "Not answering"},  // no sense
      {false, false, {}, DriveState::NotAnswering, "Not answering"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.answered << c.good << " " << int{c.sense.key} << "/"
                                    << int{c.sense.asc} << "/" << int{c.sense.ascq});
    const auto state = live::StateFromTestUnitReady(c.answered, c.good, c.sense);
    EXPECT_EQ(state, c.state);
    if (state) {
      EXPECT_STREQ(live::StateText(*state), c.text);
    }
  }
}

TEST(DriveState, EventsOfAChange) {
  using S = DriveState;
  using E = EventKind;
  struct Case {
    S before, after;
    bool newDisc;
    std::vector<E> events;
  };
  const Case cases[] = {
      {S::NoDisc, S::NoDisc, false, {}},
      {S::Ready, S::Ready, false, {}},
      {S::Loading, S::Loading, false, {}},
      {S::NoDisc, S::TrayOpen, false, {E::TrayOpen}},
      {S::TrayOpen, S::NoDisc, false, {E::TrayClosed}},
      {S::TrayOpen, S::Loading, false, {E::TrayClosed, E::DiscInserted}},
      {S::TrayOpen, S::Ready, true, {E::TrayClosed, E::DiscInserted, E::Ready}},
      {S::NoDisc, S::Loading, true, {E::DiscInserted}},
      {S::Loading, S::Ready, false, {E::Ready}},
      {S::NoDisc, S::Ready, false, {E::DiscInserted, E::Ready}},
      {S::Ready, S::NoDisc, false, {E::Ejected}},
      {S::Ready, S::TrayOpen, false, {E::Ejected, E::TrayOpen}},
      {S::Loading, S::TrayOpen, false, {E::Ejected, E::TrayOpen}},
      {S::Ready, S::Ready, true, {E::Ejected, E::DiscInserted, E::Ready}},
      {S::Ready, S::Busy, false, {E::Busy}},
      {S::Busy, S::Ready, false, {E::Ready}},
      {S::Ready, S::NotAnswering, false, {E::NotAnswering}},
      {S::NotAnswering, S::Ready, false, {E::DiscInserted, E::Ready}},
      {S::NotAnswering, S::NoDisc, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << live::StateText(c.before) << " -> "
                                    << live::StateText(c.after) << " new disc " << c.newDisc);
    EXPECT_EQ(live::EventsOfChange(c.before, c.after, c.newDisc), c.events);
  }
}

TEST(DriveState, EventNamesAreTheJsonOnes) {
  const std::pair<EventKind, const char*> names[] = {
      {EventKind::TrayOpen, "tray_open"},
      {EventKind::TrayClosed, "tray_closed"},
      {EventKind::DiscInserted, "disc_inserted"},
      {EventKind::Ready, "ready"},
      {EventKind::Ejected, "ejected"},
      {EventKind::DriveAdded, "drive_added"},
      {EventKind::DriveRemoved, "drive_removed"},
      {EventKind::Busy, "busy"},
      {EventKind::NotAnswering, "not_answering"},
  };
  for (const auto& [kind, name] : names) EXPECT_STREQ(live::EventName(kind), name);
}

}  // namespace
