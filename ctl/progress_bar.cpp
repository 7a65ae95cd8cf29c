#include "ctl/progress_bar.h"

#include <ostream>

namespace ctl {
namespace {

const char* KindName(bus::TransferKind kind) {
  switch (kind) {
    case bus::TransferKind::ProgramDownload: return "download";
    case bus::TransferKind::SystemDownload: return "system memory";
    case bus::TransferKind::Upload: return "upload";
    case bus::TransferKind::LogRead: return "event log";
    case bus::TransferKind::Verify: return "verify";
    case bus::TransferKind::None: return "";
  }
  return "";
}

}  // namespace

std::string ProgressLine(const Progress& p, int width) {
  const int total = p.blocksTotal > 0 ? p.blocksTotal : 1;
  const int done = p.blocksDone < 0 ? 0 : (p.blocksDone > total ? total : p.blocksDone);
  const int filled = static_cast<int>(static_cast<long long>(done) * width / total);
  std::string line = KindName(p.kind);
  line += " [";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(width - filled), '-');
  line += "] ";
  line += std::to_string(done) + "/" + std::to_string(p.blocksTotal);
  return line;
}

void ProgressBar::Draw(const Progress& p) {
  m_err << '\r' << ProgressLine(p) << std::flush;
  m_drawn = true;
  m_last = p;
}

void ProgressBar::Show(const Progress& p) {
  if (!m_enabled || p.kind == bus::TransferKind::None) return;
  if (m_drawn && p.kind == m_last.kind && p.blocksDone == m_last.blocksDone &&
      p.blocksTotal == m_last.blocksTotal) {
    return;
  }
  Draw(p);
}

void ProgressBar::Finish(bool completed) {
  if (!m_drawn) return;
  if (completed && m_last.blocksDone != m_last.blocksTotal) {
    Progress full = m_last;
    full.blocksDone = full.blocksTotal;
    Draw(full);
  }
  m_err << '\n' << std::flush;
  m_drawn = false;
}

}  // namespace ctl
