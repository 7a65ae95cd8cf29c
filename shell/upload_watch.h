#pragma once
// Notices, from the link state alone, that an upload has read the whole memory, so
// that the main window can hand the controller's programs to the editor.

#include "link/link_state.h"
#include "link/transfer_progress.h"

namespace shell {

class UploadWatch {
 public:
  // Fed the link state at every status tick; true once, at the first tick after an
  // upload seen under way has read its last block. An upload abandoned part-way (the
  // link switched off, another command) is no completion.
  bool Completed(const bus::LinkShared& s) {
    constexpr std::int32_t kWholeMemory = 65535;
    const bool uploading = bus::CurrentTransfer(s).kind == bus::TransferKind::Upload;
    const bool done = m_uploading && !uploading && !s.LogReading && s.TransferAddress >= kWholeMemory;
    m_uploading = uploading;
    return done;
  }

 private:
  bool m_uploading = false;
};

}  // namespace shell
