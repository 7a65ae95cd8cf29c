#pragma once
// The transfer progress bar of the command line, drawn in place on standard error
// when that is a terminal; a pipe or a log file gets nothing from it.

#include <iosfwd>
#include <string>

#include "link/transfer_kind.h"

namespace ctl {

struct Progress {
  bus::TransferKind kind = bus::TransferKind::None;
  int blocksDone = 0;
  int blocksTotal = 0;
};

// One line of the bar without the carriage return: name, bar and block count.
std::string ProgressLine(const Progress& progress, int width = 30);

class ProgressBar {
 public:
  ProgressBar(std::ostream& err, bool enabled) : m_err(err), m_enabled(enabled) {}

  // Redraws when the transfer has moved; a moment without a transfer keeps the line.
  void Show(const Progress& progress);
  // Ends the line, drawn full when the transfer completed.
  void Finish(bool completed);

 private:
  void Draw(const Progress& progress);

  std::ostream& m_err;
  bool m_enabled;
  bool m_drawn = false;
  Progress m_last;
};

}  // namespace ctl
