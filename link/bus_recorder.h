#pragma once
// Keeps the link's traffic as it happens: every line heard and every frame written
// goes into the monitor's line store (when there is one) and, while a capture runs,
// into the capture file. It listens to the link's events, so that it records from
// the first line on whether or not a window looks.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/bus_line_store.h"
#include "link/capture_file.h"
#include "link/capture_writer.h"
#include "link/link_events.h"
#include "link/text_sink.h"

namespace bus {

class BusRecorder {
 public:
  // Microseconds on a clock that never jumps.
  using MicrosClock = std::function<std::int64_t()>;

  BusRecorder(LinkEvents& events, BusLineStore* store, MicrosClock now);

  // Starts writing a capture into `sink` (its header at once). A capture that runs
  // is ended first. False with the sink's reason when even the header failed.
  bool StartCapture(std::unique_ptr<TextSink> sink, const CaptureHeader& header, std::string& error);
  // Writes what waits and ends the capture. The sink's reason when the last lines
  // could not be written, "" otherwise.
  std::string StopCapture();
  bool Capturing() const { return m_writer != nullptr; }
  std::uint64_t CapturedLines() const { return m_captured; }
  // Hands waiting lines to the capture file when they are due; call twice a second.
  // When the file failed, the capture ends and its reason comes back, once.
  std::optional<std::string> Tick();

  // During a replay: the program's own frames go nowhere and are kept as withheld,
  // and the PC's frames of the file come through RecordedSent.
  void SetReplaying(bool replaying) { m_replaying = replaying; }
  void RecordedSent(std::string_view line);
  // Takes the times from this clock from now on, counted from its zero: a replay's
  // lines keep the times they were recorded at.
  void FollowClock(MicrosClock now) {
    m_now = std::move(now);
    m_origin = 0;
  }

  // When the first line came, on the recorder's clock; the store's times count from it.
  std::optional<std::int64_t> OriginMicros() const { return m_origin; }

 private:
  void Record(LineDirection direction, std::string_view line, bool withheld);
  std::optional<std::string> Failed();

  BusLineStore* m_store;
  MicrosClock m_now;
  std::unique_ptr<TextSink> m_sink;
  std::unique_ptr<CaptureWriter> m_writer;
  std::uint64_t m_captured = 0;
  std::optional<std::int64_t> m_origin;
  bool m_replaying = false;
  LinkEvents::Subscription m_listening;
};

}  // namespace bus
