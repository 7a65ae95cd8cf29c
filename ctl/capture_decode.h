#pragma once
// kx7140ctl decode: every line of a capture file with its meaning, tab-separated for
// a person and for cut and awk, or one JSON object a line for a script. Bad lines are
// skipped and named on the error stream.

#include <iosfwd>
#include <string>

namespace ctl {

// Returns an exit status of ctl/exit_status.h.
int DecodeCapture(const std::string& path, bool json, std::ostream& out, std::ostream& err);

}  // namespace ctl
