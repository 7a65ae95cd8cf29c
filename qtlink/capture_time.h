#pragma once
// A capture's start time on the PC's wall clock: for the header of a capture that
// starts now, and for the wall clock of a replayed line.

#include <QDateTime>

#include <string>

#include "link/capture_file.h"

namespace qtlink {

bus::CaptureHeader CaptureHeaderNow(std::string port, std::string programVersion);

// When the capture started, at the UTC offset it was taken at.
QDateTime CaptureStartTime(const bus::CaptureHeader& header);

}  // namespace qtlink
