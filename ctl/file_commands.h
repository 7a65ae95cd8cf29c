#pragma once
// The commands of kx7140ctl that read project files only, without a port: check
// (the program warnings, with the junction data beside the file) and diff (the
// differences between two projects), and the verify report shared with the session.

#include <ostream>
#include <string>
#include <vector>

#include "ctl/ctl_options.h"
#include "program/image_compare.h"

namespace ctl {

// Runs check or diff; the exit status (0 nothing listed, 1 something, 3 a file).
int RunFileCommand(const CtlOptions& options, std::ostream& out, std::ostream& err);

// One difference a line; the exit status 0 when there is none, 1 otherwise.
int PrintDifferences(const std::vector<program::ImageDifference>& differences, std::ostream& out);

}  // namespace ctl
