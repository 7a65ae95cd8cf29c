#include "link/bus_recorder.h"

#include <gtest/gtest.h>

#include <optional>

#include "fakes.h"

namespace {

// The recorder owns its sink and lets it go with the capture; the test keeps the text.
struct ForwardingSink : bus::TextSink {
  explicit ForwardingSink(bus::StringTextSink& target) : to(target) {}
  bool Write(std::string_view bytes, std::string& error) override { return to.Write(bytes, error); }
  bus::StringTextSink& to;
};

class BusRecorderTest : public ::testing::Test {
 protected:
  void Heard(const std::string& line) { events.Emit(bus::LineReceived{line, bus::LineVerdict::Taken}); }
  void Written(const std::string& frame) { events.Emit(bus::FrameWritten{bus::LineBody(frame), 0, 0}); }
  void Capture(std::size_t failAfter = std::string::npos) {
    sink.failAfter = failAfter;
    std::string error;
    EXPECT_TRUE(recorder.StartCapture(std::make_unique<ForwardingSink>(sink), {}, error)) << error;
  }

  std::int64_t now = 5'000'000;
  bus::StringTextSink sink;
  bus::LinkEvents events;
  bus::BusLineStore store;
  bus::BusRecorder recorder{events, &store, [this] { return now; }};
};

TEST_F(BusRecorderTest, TimesCountFromTheFirstLineAndTheCaptureTakesWhatWasOnTheWire) {
  Capture();
  now += 1000;
  Heard(kxtest::PcTurnFrame());
  now += 2500;
  Written(kxtest::Frame({0x10, 0xCF, 0x00, 0x03}));
  ASSERT_EQ(store.Size(), 2u);
  EXPECT_EQ(std::make_pair(store.At(0).micros, store.At(1).micros),
            std::make_pair(std::int64_t{0}, std::int64_t{2500}));
  EXPECT_EQ(recorder.StopCapture(), "");
  EXPECT_TRUE(sink.text.ends_with("\n0.001000 R :10030000ED\r\n0.003500 T :10CF00031E\r\n")) << sink.text;
}

TEST_F(BusRecorderTest, AReplayKeepsTheProgramsFramesAsWithheldAndTheFilesAsSent) {
  recorder.SetReplaying(true);
  recorder.FollowClock([] { return std::int64_t{1'234'000}; });
  Capture();
  Written(kxtest::PcTurnFrame());
  recorder.RecordedSent(bus::LineBody(kxtest::PcTurnFrame()));
  ASSERT_EQ(store.Size(), 2u);
  EXPECT_EQ(store.At(1).micros, 1'234'000) << "the capture's own times";
  EXPECT_TRUE(store.At(0).withheld && !store.At(1).withheld);
  // Only what was on the wire counts.
  EXPECT_EQ(std::make_tuple(store.Counters().Of(bus::kSentByPcKey).frames, recorder.CapturedLines()),
            std::make_tuple(1u, 1u));
  recorder.StopCapture();
  EXPECT_EQ(sink.text.find(" T "), sink.text.rfind(" T "));
}

TEST_F(BusRecorderTest, ACaptureThatCannotBeWrittenStopsOnceWithItsReasonAndTheMonitorGoesOn) {
  Capture(200);
  std::optional<std::string> failed;
  for (int i = 0; i < 20 && !failed; ++i, now += 100'000) {
    Heard(kxtest::PcTurnFrame());
    failed = recorder.Tick();
  }
  EXPECT_FALSE(failed.value_or("").empty() || recorder.Capturing());
  EXPECT_FALSE(recorder.Tick()) << "told once";
  Heard(kxtest::PcTurnFrame());
  EXPECT_GT(store.Size(), recorder.CapturedLines());
}

}  // namespace
