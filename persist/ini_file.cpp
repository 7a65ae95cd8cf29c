#include "persist/ini_file.h"

#include <optional>

#include "persist/path_text.h"
#include "persist/text_lines.h"

namespace persist {

namespace {

// A settings file is a few hundred bytes; anything this large is not one.
constexpr std::size_t kMaxIniBytes = 16u << 20;

// Only A-Z: the names are ASCII, and lower-casing other bytes by a locale would make
// matching depend on the PC and could change a UTF-8 text's length.
std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool HasLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Creates a missing file and makes it writable, then reads it whole.
IoResult PrepareAndRead(const std::filesystem::path& path, std::string& text) {
  if (IoResult made = EnsureFileExists(path); !made) return made;
  ResetFileAttributes(path);
  return ReadWholeFile(path, text, kMaxIniBytes);
}

// Collapses every run of three or more line ends into two and strips control
// characters (code 13 or less) from both ends. One pass: a settings file padded with
// megabytes of empty lines must not stall the start.
std::string Tidy(std::string_view text) {
  const auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 13; };
  std::size_t end = text.size();
  while (end > 0 && isControl(text[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && isControl(text[begin])) ++begin;

  std::string out;
  out.reserve(end - begin);
  std::size_t run = 0;  // CR LF pairs in a row just copied
  for (std::size_t i = begin; i < end;) {
    if (text[i] == '\r' && i + 1 < end && text[i + 1] == '\n') {
      if (++run <= 2) out.append("\r\n");
      i += 2;
      continue;
    }
    run = 0;
    out.push_back(text[i++]);
  }
  return out;
}

}  // namespace

std::string IniRead(const std::filesystem::path& path, std::string_view section, std::string_view key,
                    IoResult* status) {
  std::string text;
  IoResult read = PrepareAndRead(path, text);
  if (status) *status = read;
  if (!read) return {};

  const std::string header = "[" + Lower(section) + "]";
  const std::string prefix = Lower(key) + "=";
  bool inSection = false;
  std::optional<std::string> value;
  ForEachLine(text, [&](std::string_view line) {
    if (value) return;
    const bool bracket = line.find('[') != std::string_view::npos;
    if (bracket) {
      inSection = Lower(line) == header;
      return;
    }
    if (inSection && line.size() >= prefix.size() && Lower(line.substr(0, prefix.size())) == prefix) {
      value = std::string(line.substr(prefix.size()));
    }
  });
  return value.value_or(std::string());
}

IoResult IniWrite(const std::filesystem::path& path, std::string_view section, std::string_view key,
                  std::string_view value) {
  if (HasLineEnd(section) || HasLineEnd(key) || HasLineEnd(value)) {
    return IoResult::Fail("Ayar yazılmadı, satır sonu içeriyor: " + std::string(key));
  }
  // A "[" on the key line would end the section there: the key could never be read
  // back, and every key written below it would drop out of the section too.
  if (key.find('[') != std::string_view::npos) {
    return IoResult::Fail("Ayar yazılmadı, anahtar adında \"[\" var: " + std::string(key));
  }
  std::string old;
  if (IoResult read = PrepareAndRead(path, old); !read) {
    return IoResult::Fail("Ayar dosyası okunamadı: " + read.message);
  }

  // The leading line end lets a header or key on the first line be found like any
  // other; the trailing "[]" guarantees that a "[" follows every section.
  std::string w = "\r\n" + WithCrLfLineEnds(old) + "[]";
  const std::string wl = Lower(w);
  const std::string s = "\r\n[" + Lower(section) + "]\r";
  const std::string k = "\n" + Lower(key) + "=";
  const std::string keyLine = std::string(key) + "=" + std::string(value);

  w.resize(w.size() - 2);  // every branch drops the "[]" again
  std::string result;
  const std::size_t p = wl.find(s);
  if (p == std::string::npos) {
    result = w + "\r\n\r\n[" + std::string(section) + "]\r\n" + keyLine;
  } else {
    const std::size_t h = p + s.size();  // the LF that ends the header line
    const std::size_t n = wl.find('[', h);
    const std::size_t at = wl.find(k, p);
    if (at != std::string::npos && at <= n) {
      const std::size_t lineEnd = w.find('\r', at + 1);
      result = w.substr(0, at + 1) + keyLine;
      if (lineEnd != std::string::npos) result += w.substr(lineEnd);
    } else {
      // A new key becomes the first line of its section.
      result = w.substr(0, h + 1) + keyLine + "\r\n" + w.substr(h + 1);
    }
  }
  result.erase(0, 1);  // the CR of the leading line end
  result = Tidy(result) + "\r\n";

  if (IoResult written = WriteFileAtomic(path, result); !written) {
    return IoResult::Fail("Ayar dosyası yazılamadı: " + written.message);
  }
  return IoResult::Ok();
}

}  // namespace persist
