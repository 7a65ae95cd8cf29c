#pragma once
// Line splitting shared by the INI and project readers. A line ends at CR LF, at a
// lone CR, or at a lone LF: files edited with other tools often have bare LF line
// ends, and reading those as one endless line would lose every setting in them.

#include <string>
#include <string_view>
#include <vector>

namespace persist {

// The lines of the text without their line ends. A last line without a line end
// counts; a line end at the very end of the text does not start an empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The same text with every line end written as CR LF. A text that does not end with
// a line end gets one, unless it is empty.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace persist
