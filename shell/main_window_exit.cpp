// Leaving the program: asked by the user, or told by a signal. The child windows go
// first (the communication window closes its port), then the settings are written.

#include <QCloseEvent>

#include <iostream>

#include "monitor/comm_window.h"
#include "persist/settings_file.h"
#include "shell/main_window.h"

namespace shell {

bool MDIForm1::ConfirmLinkStop() {
  monitor::Frm_T_24VOC* comm = CommWindow();
  return comm == nullptr || comm->ConfirmStop();
}

void MDIForm1::CloseFromSignal() {
  m_closingBySignal = true;
  if (monitor::Frm_T_24VOC* comm = CommWindow()) comm->Link().Stop();
  if (ProjectModified()) {
    const QString written = WriteRecoveryCopy();
    ShowStatus(written);
    std::cerr << "kx7140: " << written.toStdString() << "\n";
  }
  close();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
  if (!m_closingBySignal && (!ResolveUnsavedWork() || !ConfirmLinkStop())) {
    event->ignore();
    return;
  }
  m_geometry.SaveMain(*this);
  UnloadEditor();
  for (Child c : {Child::Lamps, Child::Registers, Child::Cards, Child::Buffer, Child::Comm})
    SetChildShown(c, false);
  const persist::IoResult saved =
      persist::SaveSettings(m_state.paths, m_state.ProjectPath, m_state.shared.PortNumber);
  if (!saved.ok) std::cerr << "kx7140: " << saved.message << "\n";
  event->accept();
}

}  // namespace shell
