#pragma once
// The text form of the junction data kept beside a project: UTF-8 lines, the first
// "KX7140 kavsak 1", then one fact a line ("grup 1 A1 Kuzey", "yaya 7",
// "catisma 1 2 5 4", "en-kisa-sari 3", ...). Lines starting with '#' and empty lines
// are skipped, and so are lines with a key this version does not know, so that a
// later version's files still read. The writer uses CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>

#include "program/junction_data.h"

namespace persist {

inline constexpr std::string_view kJunctionFileMagic = "KX7140 kavsak";
inline constexpr int kJunctionFileVersion = 1;

struct JunctionParse {
  bool ok = false;
  std::size_t line = 0;          // the refused line, counted from 1; 0 when ok
  std::string message;           // "satır 5: grup numarası 1 ile 32 arasında olmalı: 40"
  std::size_t ignoredLines = 0;  // lines with an unknown key
};

// Reads the whole text; only when every line reads is `data` replaced (facts the file
// does not state take their defaults, a later line wins over an earlier one). On the
// first bad line `data` is left as it was and the result names the line and why.
JunctionParse ParseJunctionFile(std::string_view text, program::JunctionData& data);

// The file for the data: header, names, groups without yellow, conflicting pairs (each
// once, lower group first) and the three limits. Reads back as the same data.
std::string FormatJunctionFile(const program::JunctionData& data);

}  // namespace persist
