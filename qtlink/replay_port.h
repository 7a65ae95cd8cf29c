#pragma once
// A serial port that plays a bus capture as if it were the bus: the received lines
// arrive at their recorded times scaled by the speed (or as fast as the event loop
// takes them at speed 0), and whatever the link writes goes nowhere. The PC's frames
// of the file are handed to whoever shows them beside the program's own.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/capture_reader.h"
#include "link/serial_port.h"

namespace qtlink {

class ReplayPort : public QObject, public bus::SerialPort {
  Q_OBJECT
 public:
  // speed 1: as recorded; 2: twice as fast; 0: as fast as possible.
  ReplayPort(QString path, double speed, QObject* parent = nullptr);
  ~ReplayPort() override;

  // A frame the PC sent when the capture was taken, in its place among the lines.
  std::function<void(std::string_view frame)> recordedSent;
  // The file has been played to its end; the text says how many lines it held.
  std::function<void(const std::string& text)> finished;

  void SetHandlers(Handlers handlers) override { m_handlers = std::move(handlers); }
  void Select(int) override {}
  std::string DeviceName() const override;
  void SetLineSettings(std::string_view) override {}
  // Reads the file's header; a file that is not a capture does not open.
  bus::PortResult Open() override;
  void Close() override;
  bool IsOpen() const override { return m_reader != nullptr; }
  std::string ReadAll() override;
  void DiscardInput() override { m_pending.clear(); }
  bus::PortResult Write(std::string_view) override { return bus::PortResult::Ok(); }
  bus::PortResult SetBaudRate(int) override { return bus::PortResult::Ok(); }

  bool Finished() const { return m_finished; }
  // The header of the file being played; nothing before it opened.
  const std::optional<bus::CaptureHeader>& Header() const { return m_header; }
  // Time of the latest line played, from the start of the capture.
  std::int64_t PlayedMicros() const { return m_playedMicros; }

 private:
  // Plays every line that is due, then waits for the next one.
  void Play();
  void Finish();

  QString m_path;
  double m_speed;
  std::ifstream m_file;
  std::unique_ptr<bus::CaptureReader> m_reader;
  std::optional<bus::CaptureRecord> m_next;
  std::optional<bus::CaptureHeader> m_header;
  QElapsedTimer m_elapsed;
  QTimer m_timer;
  std::string m_pending;
  Handlers m_handlers;
  std::int64_t m_playedMicros = 0;
  bool m_finished = false;
};

}  // namespace qtlink
