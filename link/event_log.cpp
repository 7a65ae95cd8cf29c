#include "link/event_log.h"

#include <cstdio>

#include "link/hex_text.h"
#include "program/memory_map.h"

namespace bus {
namespace {

const char* EventText(int code) {
  switch (code) {
    case 0: return "00-CPU ilk çalıştırma.";
    case 1: return "01-CPU Resetlendi.";
    case 2: return "02-Güç Kesildi.";
    case 3: return "03-Güç Verildi.";
    case 4: return "04-Kapak Açıldı.";
    case 5: return "05-Saat Ayarı Yapıldı.";
    case 6: return "06-Program yüklendi veya degiştirildi.";
    default: return "";
  }
}

std::string SourceName(int card) {
  if (card == 0) return "İşlemci ";
  if (card >= 1 && card <= 8) return "Triyak_" + std::to_string(card) + " ";
  switch (card) {
    case 9: return "Dedektör ";
    case 10: return "GPS ";
    case 11: return "PSU ";
    default: return "EXT IO ";
  }
}

const char* ProcessorFault(int code) {
  switch (code) {
    case 10: return "RTC Saat entegresi ";
    case 11: return "Haberlesme süre aşımı ";
    case 12: return "Program hafıza entegresi ";
    case 13: return "Veri kaybı ";
    case 14: return "Giriş şıkış devreleri ";
    default: return "Bilinmiyor ";
  }
}

const char* CardFault(int code) {
  switch (code) {
    case 1: return "Fiziksel hata ";
    case 2: return "Tespit edilemeyen elektronik hata ";
    case 3: return "Çıkış devrelerinde hata ";
    case 4: return "Hat teması ";
    case 5: return "Faz teması ";
    case 6: return "Kırmızı flaman kopuğu ";
    case 7: return "İletişim kurulamadı ";
    case 10: return "DC Besleme gerilimi düşük ";
    case 11: return "DC Besleme gerilimi yüksek ";
    case 12: return "AC Besleme gerilimi düşük ";
    case 13: return "AC Besleme gerilimi yüksek ";
    default: return "Bilinmiyor ";
  }
}

std::string Padded(int value, int width) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

}  // namespace

std::optional<EventLogRecord> EventLogRecordAt(const program::ProgramImage& image, std::size_t a) {
  if (a + program::kEventRecordBytes > program::kEventLogTotalAddress) return std::nullopt;
  const auto byte = [&](std::size_t offset) -> int { return image[a + offset]; };
  const auto word = [&](std::size_t offset) -> int { return byte(offset) * 256 + byte(offset + 1); };
  const int number = word(0);
  if (number == 0) return std::nullopt;

  EventLogRecord r;
  r.no = "No:" + Padded(number, 4);
  r.date = "(" + Padded(word(2), 4) + "/" + Padded(byte(4), 2) + "/" + Padded(byte(5), 2);
  r.time = Padded(byte(6), 2) + ":" + Padded(byte(7), 2) + ":" + Padded(byte(8), 2) + ")";
  const int type = byte(9);
  const int code = byte(10);
  const int card = byte(11);
  const std::string detailA = WordToHex4(word(12));
  const std::string detailB = WordToHex4(word(14));
  std::string& text = r.description;
  if (type == 0) {
    text = "Alarm: ";
    text += EventText(code);
  } else if (type == 1) {
    text = SourceName(card) + "Kartı: ";
    text += card == 0 ? ProcessorFault(code) : CardFault(code);
    if (card != 0) text += "[" + detailA + "-" + detailB + "]";
  } else {
    text = "Undefined:" + Padded(type, 2) + " " + Padded(code, 2) + " " + Padded(card, 2) + " " + detailA +
           " " + detailB;
  }
  r.line = r.no + r.date + " " + r.time + " " + text;
  text.erase(text.find_last_not_of(' ') + 1);
  return r;
}

std::vector<EventLogRecord> DecodeEventLogRecords(const program::ProgramImage& image) {
  std::vector<EventLogRecord> records;
  for (std::size_t n = 0; n < program::kEventLogSlots; ++n) {
    std::optional<EventLogRecord> record =
        EventLogRecordAt(image, program::kEventLogAddress + program::kEventRecordBytes * n);
    if (record) records.push_back(std::move(*record));
  }
  return records;
}

std::vector<std::string> DecodeEventLog(const program::ProgramImage& image) {
  std::vector<std::string> lines;
  for (EventLogRecord& record : DecodeEventLogRecords(image)) lines.push_back(std::move(record.line));
  return lines;
}

std::uint16_t EventLogTotal(const program::ProgramImage& image) {
  const std::size_t at = program::kEventLogTotalAddress;
  return static_cast<std::uint16_t>(image[at] * 256 + image[at + 1]);
}

}  // namespace bus
