// VEvent: the record's defaults, its dump and its copy.
#include "core/VEvent.h"

#include <gtest/gtest.h>

#include "support/StreamCapture.h"

namespace {

using vt::Lines;

TEST(VEvent, NewEventPrintsZeroForEveryField) {
  VEvent e;
  vt::StreamCapture out(std::cout);
  e.print();
  EXPECT_EQ(out.lines(),
            (Lines{"Class : VEvent", "Type = 0", "Button = 0", "X = 0", "Y = 0", "Key = 0"}));
}

TEST(VEvent, PrintShowsEnumerationsAsNumbersAndNegativeCoordinates) {
  VEvent e;
  e.setType(etSpecialKey);
  e.setButton(mbRight);
  e.setX(-3);
  e.setY(400);
  e.setKey(255);
  vt::StreamCapture out(std::cout);
  e.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VEvent", "Type = 7", "Button = 2", "X = -3",
                                "Y = 400", "Key = 255"}));
}

TEST(VEvent, CopyFromMakesEveryFieldEqualIncludingKeyAndButtonOfAMouseEvent) {
  VEvent source;
  source.setType(etMouseUp);
  source.setButton(mbCenter);
  source.setX(17);
  source.setY(-4);
  source.setKey(65);
  VEvent copy;
  copy.copyFrom(&source);
  EXPECT_EQ(copy.getType(), etMouseUp);
  EXPECT_EQ(copy.getButton(), mbCenter);
  EXPECT_EQ(copy.getX(), 17);
  EXPECT_EQ(copy.getY(), -4);
  EXPECT_EQ(copy.getKey(), 65);
}

// copyFrom goes through the virtual accessors, so a subclass sees every field it is given.
class LoggingEvent : public VEvent {
 public:
  std::string log;
  void setType(VEventType v) override { log += "T"; VEvent::setType(v); }
  void setButton(VMouseButton v) override { log += "B"; VEvent::setButton(v); }
  void setX(int v) override { log += "X"; VEvent::setX(v); }
  void setY(int v) override { log += "Y"; VEvent::setY(v); }
  void setKey(int v) override { log += "K"; VEvent::setKey(v); }
};

TEST(VEvent, CopyFromWritesThroughTheSettersInFieldOrder) {
  VEvent source;
  LoggingEvent copy;
  copy.copyFrom(&source);
  EXPECT_EQ(copy.log, "TBXYK");
}

}  // namespace
