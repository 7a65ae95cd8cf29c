#pragma once
// The kinds of memory transfer the link runs, one block per PC turn. A verify read
// reads what an upload reads, into the link's own image instead of the project's.

namespace bus {

enum class TransferKind { None, ProgramDownload, SystemDownload, Upload, LogRead, Verify };

}  // namespace bus
