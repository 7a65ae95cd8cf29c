#pragma once
// The kinds of memory transfer the link runs, one block per PC turn.

namespace bus {

enum class TransferKind { None, ProgramDownload, SystemDownload, Upload, LogRead };

}  // namespace bus
