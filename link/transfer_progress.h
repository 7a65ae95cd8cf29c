#pragma once
// How far the transfer under way has come, in blocks, as derived from the link state
// alone, so that every view (window, progress bar, command line) agrees.

#include <cstdint>

#include "link/link_state.h"

namespace bus {

enum class TransferKind { None, ProgramDownload, SystemDownload, Upload, LogRead };

struct TransferProgress {
  TransferKind kind = TransferKind::None;
  int blocksDone = 0;
  int blocksTotal = 0;
};

inline TransferProgress CurrentTransfer(const LinkShared& s) {
  constexpr int kBlock = 128;
  const auto clampDone = [](int done, int total) { return done < 0 ? 0 : (done > total ? total : done); };
  switch (s.RequestCode) {
    case request::kDownloadStart:
      return {TransferKind::ProgramDownload, 0, s.TransferEnd / kBlock};
    case request::kBlockWrite:
    case request::kDownloadEnd: {
      const int total = s.TransferEnd / kBlock;
      return {TransferKind::ProgramDownload, clampDone(s.TransferAddress / kBlock, total), total};
    }
    case request::kSystemDownload:
      return {TransferKind::SystemDownload, 0, 1};
    case request::kBlockRead:
      if (s.LogReading) {
        constexpr int total = (65536 - kEventLogStart) / kBlock;
        return {TransferKind::LogRead, clampDone((s.TransferAddress - kEventLogStart) / kBlock, total), total};
      }
      return {TransferKind::Upload, clampDone(s.TransferAddress / kBlock, 512), 512};
    default:
      return {};
  }
}

}  // namespace bus
