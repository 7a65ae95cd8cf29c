#include "link/capture_file.h"

#include <charconv>
#include <chrono>
#include <cstdio>

#include "link/hex_text.h"

namespace bus {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kMaxOffsetMinutes = 14 * 60;
constexpr std::size_t kMaxSecondsDigits = 12;

bool NeedsEscape(unsigned char c, bool escapeBlank) {
  return c == '\\' || c < 0x20 || c > 0x7E || (c == 0x20 && escapeBlank);
}

// Header values are split at blanks, so a blank inside one is escaped as well. Runs of
// plain characters are copied whole: a bus line rarely holds anything else.
void AppendEscaped(std::string& out, std::string_view bytes, bool escapeBlank) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!NeedsEscape(c, escapeBlank)) continue;
    out.append(bytes.substr(plain, i - plain));
    plain = i + 1;
    if (c == '\\') {
      out += "\\\\";
    } else {
      const char escape[] = {'\\', 'x', kHexDigits[c >> 4], kHexDigits[c & 15]};
      out.append(escape, sizeof escape);
    }
  }
  out.append(bytes.substr(plain));
}

bool Unescape(std::string_view text, std::string& out, std::string& reason) {
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c > 0x7E) {
      reason = "yazdırılamayan bayt " + std::to_string(c) + " kaçışsız yazılmış";
      return false;
    }
    if (c != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
      continue;
    }
    const int hi = i + 3 < text.size() && text[i + 1] == 'x' ? HexDigitValue(text[i + 2]) : -1;
    const int lo = hi >= 0 ? HexDigitValue(text[i + 3]) : -1;
    if (lo < 0) {
      reason = "bozuk kaçış dizisi (\\\\ ya da \\xNN olmalı)";
      return false;
    }
    out += static_cast<char>(hi * 16 + lo);
    i += 3;
  }
  return true;
}

// Up to `maxDigits` decimal digits, all of the text.
bool Digits(std::string_view text, std::size_t minDigits, std::size_t maxDigits, std::int64_t& value) {
  if (text.size() < minDigits || text.size() > maxDigits) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

int Field(std::string_view text, std::size_t at, std::size_t length, bool& ok) {
  std::int64_t v = 0;
  if (at + length > text.size() || !Digits(text.substr(at, length), length, length, v)) ok = false;
  return static_cast<int>(v);
}

bool ParseStart(std::string_view text, DateTime& start, int& offsetMinutes) {
  // 2024-01-01T08:00:04+03:00
  if (text.size() != 25 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || (text[19] != '+' && text[19] != '-') || text[22] != ':') {
    return false;
  }
  bool ok = true;
  DateTime t;
  t.year = Field(text, 0, 4, ok);
  t.month = Field(text, 5, 2, ok);
  t.day = Field(text, 8, 2, ok);
  t.hour = Field(text, 11, 2, ok);
  t.minute = Field(text, 14, 2, ok);
  t.second = Field(text, 17, 2, ok);
  const int offsetHours = Field(text, 20, 2, ok);
  const int offsetMins = Field(text, 23, 2, ok);
  const int offset = offsetHours * 60 + offsetMins;
  using namespace std::chrono;
  const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                            day{static_cast<unsigned>(t.day)}};
  if (!ok || !date.ok() || t.hour > 23 || t.minute > 59 || t.second > 59 || offsetMins > 59 ||
      offset > kMaxOffsetMinutes) {
    return false;
  }
  t.isoWeekday = static_cast<int>(weekday{sys_days{date}}.iso_encoding());
  start = t;
  offsetMinutes = text[19] == '-' ? -offset : offset;
  return true;
}

}  // namespace

std::string CaptureStartText(const DateTime& s, int utcOffsetMinutes) {
  const int offset = utcOffsetMinutes < 0 ? -utcOffsetMinutes : utcOffsetMinutes;
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", s.year, s.month, s.day, s.hour,
                s.minute, s.second, utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
  return text;
}

std::string CaptureHeaderLine(const CaptureHeader& header) {
  std::string line(kCaptureMagic);
  line += ' ' + std::to_string(header.version);
  line += " baslangic=" + CaptureStartText(header.start, header.utcOffsetMinutes);
  line += " port=";
  AppendEscaped(line, header.port, true);
  line += " program=";
  AppendEscaped(line, header.programVersion, true);
  line += "\r\n";
  return line;
}

void AppendCaptureRecord(std::string& out, std::int64_t micros, LineDirection direction,
                         std::string_view bytes) {
  if (micros < 0) micros = 0;
  char head[40];
  char* end = std::to_chars(head, head + 24, micros / 1000000).ptr;
  *end++ = '.';
  std::int64_t fraction = micros % 1000000;
  for (int i = 5; i >= 0; --i, fraction /= 10) end[i] = static_cast<char>('0' + fraction % 10);
  end += 6;
  *end++ = ' ';
  *end++ = direction == LineDirection::Sent ? 'T' : 'R';
  *end++ = ' ';
  out.append(head, static_cast<std::size_t>(end - head));
  AppendEscaped(out, bytes, false);
  out += "\r\n";
}

std::string CaptureEscaped(std::string_view bytes) {
  std::string out;
  AppendEscaped(out, bytes, false);
  return out;
}

bool ParseCaptureHeader(std::string_view line, CaptureHeader& header, std::string& reason) {
  if (!line.starts_with(kCaptureMagic) || line.size() == kCaptureMagic.size() ||
      line[kCaptureMagic.size()] != ' ') {
    reason = "bir yakalama dosyası değil (\"" + std::string(kCaptureMagic) + "\" ile başlamıyor)";
    return false;
  }
  line.remove_prefix(kCaptureMagic.size() + 1);
  const std::size_t blank = line.find(' ');
  std::int64_t version = 0;
  if (!Digits(line.substr(0, blank), 1, 4, version)) {
    reason = "sürüm numarası okunamadı";
    return false;
  }
  if (version != kCaptureVersion) {
    reason = "sürüm " + std::to_string(version) + " okunamıyor, bu program sürüm " +
             std::to_string(kCaptureVersion) + " okur";
    return false;
  }
  CaptureHeader h;
  bool started = false;
  std::string_view rest = blank == std::string_view::npos ? "" : line.substr(blank + 1);
  while (!rest.empty()) {
    const std::size_t end = rest.find(' ');
    const std::string_view token = rest.substr(0, end);
    rest = end == std::string_view::npos ? "" : rest.substr(end + 1);
    const std::size_t eq = token.find('=');
    const std::string_view key = token.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? "" : token.substr(eq + 1);
    if (key == "baslangic") {
      if (!ParseStart(value, h.start, h.utcOffsetMinutes)) {
        reason = "başlangıç zamanı okunamadı: " + std::string(value.substr(0, 40));
        return false;
      }
      started = true;
    } else if (key == "port" || key == "program") {
      std::string& out = key == "port" ? h.port : h.programVersion;
      if (!Unescape(value, out, reason)) return false;
    }
    // Other keys are for later versions of the writer; this reader does not need them.
  }
  if (!started) {
    reason = "başlangıç zamanı yok";
    return false;
  }
  header = std::move(h);
  return true;
}

bool ParseCaptureRecord(std::string_view line, CaptureRecord& record, std::string& reason) {
  const std::size_t dot = line.find('.');
  std::int64_t seconds = 0;
  std::int64_t fraction = 0;
  if (dot == std::string_view::npos || !Digits(line.substr(0, dot), 1, kMaxSecondsDigits, seconds) ||
      !Digits(line.substr(dot + 1, 6), 6, 6, fraction) || line.size() < dot + 8 || line[dot + 7] != ' ') {
    reason = "zaman okunamadı (saniye.mikrosaniye olmalı, örneğin 12.000250)";
    return false;
  }
  line.remove_prefix(dot + 8);
  if (line.size() < 2 || (line[0] != 'R' && line[0] != 'T') || line[1] != ' ') {
    reason = "yön okunamadı (R ya da T olmalı)";
    return false;
  }
  std::string bytes;
  if (!Unescape(line.substr(2), bytes, reason)) return false;
  record.micros = seconds * 1000000 + fraction;
  record.direction = line[0] == 'T' ? LineDirection::Sent : LineDirection::Received;
  record.bytes = std::move(bytes);
  return true;
}

}  // namespace bus
