#pragma once
// The controller register image as the watch command prints it: a block of text
// lines for a person, or one JSON object on one line for a script. Hundredths from
// the CPU card are shown as the volts, hertz and amperes they stand for.

#include <string>

#include "link/register_image.h"

namespace ctl {

// Several lines, each ending in a line feed.
std::string RegisterText(const bus::RegisterImage& regs);

// One JSON object, without a line feed.
std::string RegisterJson(const bus::RegisterImage& regs);

// A JSON string of UTF-8 text, quotes included.
std::string JsonString(const std::string& text);

}  // namespace ctl
