#pragma once
// A scripted serial port and a hand-set clock for driving the link core in tests.

#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "link/clock.h"
#include "link/hex_text.h"
#include "link/serial_port.h"

namespace kxtest {

class FakeClock : public bus::Clock {
 public:
  bus::DateTime now{2024, 3, 5, 14, 7, 9, 2};
  std::int64_t ms = 1000;
  bus::DateTime Now() const override { return now; }
  std::int64_t MonotonicMs() const override { return ms; }
  std::string WeekdayName(int day) const override {
    static const char* names[] = {"?",        "Pazartesi", "Salı",      "Çarşamba",
                                  "Perşembe", "Cuma",      "Cumartesi", "Pazar"};
    return (day >= 1 && day <= 7) ? names[day] : "?";
  }
  std::string FormatDateTime(const bus::DateTime& t) const override {
    return std::to_string(t.day) + "." + std::to_string(t.month) + "." + std::to_string(t.year);
  }
};

class FakePort : public bus::SerialPort {
 public:
  bool present = true;  // a device exists behind the number; a port "open" on it stays so when it goes
  bool failBaudRate = false, failWrite = false;
  // What happened.
  std::vector<std::string> written, lineSettings;
  int openAttempts = 0, closes = 0, selected = -1, selects = 0, discards = 0, rate = 0;
  std::string pending;  // bytes waiting to be read

  void SetHandlers(Handlers h) override { m_handlers = std::move(h); }
  void Select(int n) override { selected = n, ++selects; }
  std::string DeviceName() const override { return present ? "/dev/fake" + std::to_string(selected) : ""; }
  void SetLineSettings(std::string_view s) override { lineSettings.emplace_back(s); }
  bus::PortResult Open() override {
    ++openAttempts;
    if (!present) return bus::PortResult::Fail("Seri port bulunamadı: " + std::to_string(selected));
    m_open = true;
    return {};
  }
  void Close() override {
    if (m_open) ++closes;
    m_open = false;
  }
  bool IsOpen() const override { return m_open; }
  std::string ReadAll() override { return std::exchange(pending, {}); }
  void DiscardInput() override { pending.clear(), ++discards; }
  bus::PortResult Write(std::string_view b) override {
    if (failWrite) return bus::PortResult::Fail("Write error");
    written.emplace_back(b);
    return {};
  }
  bus::PortResult SetBaudRate(int r) override {
    if (failBaudRate) return bus::PortResult::Fail("Could not set port to specified baud rate");
    rate = r;
    return {};
  }

  // The controller side: bytes arrive and the receive event fires.
  void Receive(const std::string& bytes) {
    pending += bytes;
    if (m_handlers.readyRead) m_handlers.readyRead();
  }
  void Fault(bus::PortFault f, const std::string& text) {
    if (m_handlers.fault) m_handlers.fault(f, text);
  }
  void LineEvent(int code) {
    if (m_handlers.lineEvent) m_handlers.lineEvent(code);
  }

 private:
  Handlers m_handlers;
  bool m_open = false;
};

// Hex frame text with its LRC for the given bytes, as a controller would send it.
inline std::string Frame(const std::vector<int>& bytes) {
  std::string s = ":";
  for (int b : bytes) s += bus::ByteToHex2(static_cast<std::uint8_t>(b));
  const int sum = std::accumulate(bytes.begin(), bytes.end(), 0);
  return s + bus::ByteToHex2(static_cast<std::uint8_t>(0x100 - (sum & 0xFF))) + "\r\n";
}

// The head bytes followed by each word, high byte first.
inline std::vector<int> Words(std::vector<int> head, const std::vector<int>& words) {
  for (int w : words) head.insert(head.end(), {(w >> 8) & 0xFF, w & 0xFF});
  return head;
}

inline std::string PcTurnFrame() { return Frame({0x10, 0x03, 0x00, 0x00}); }

}  // namespace kxtest
