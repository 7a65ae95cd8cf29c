#pragma once
// The header of a capture that starts now, on the PC's wall clock and its UTC offset.

#include <string>

#include "link/capture_file.h"

namespace qtlink {

bus::CaptureHeader CaptureHeaderNow(std::string port, std::string programVersion);

}  // namespace qtlink
