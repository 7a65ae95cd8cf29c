// The main window's status bar and what the link tells it: the 500 ms refresh of the
// caption and the toolbar, the warning an abandoned download leaves, and the editor
// refilled when a whole memory has come up.

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "program/editors/program_edit.h"
#include "program/program_image_codec.h"
#include "program/step_packing.h"
#include "shell/main_window.h"

namespace shell {

void MDIForm1::BuildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(bar);
  m_panel1 = new QLabel(bar);
  m_panel1->setObjectName(QStringLiteral("StatusPanel1"));
  m_panel2 = new QLabel(bar);
  m_panel2->setObjectName(QStringLiteral("StatusPanel2"));
  m_panel3 = new QLabel(bar);
  m_panel3->setObjectName(QStringLiteral("StatusPanel3"));
  bar->addWidget(m_panel1, 1);
  bar->addPermanentWidget(m_panel2);
  bar->addPermanentWidget(m_panel3);
  if (m_options.demo)
    m_panel2->setText(QStringLiteral("Demo: benzetilmiş kontrolör ") + m_options.portDevice);

  m_timer1.setInterval(500);
  connect(&m_timer1, &QTimer::timeout, this, &MDIForm1::StatusUpdate);
}

void MDIForm1::WatchTransfers() {
  // An abandoned program download leaves the controller half-programmed; the warning
  // stays in the status bar, whichever windows are open, until a download completes.
  m_downloadWarning = new QLabel(statusBar());
  m_downloadWarning->setObjectName(QStringLiteral("DownloadWarning"));
  m_downloadWarning->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  statusBar()->addPermanentWidget(m_downloadWarning);
  m_transfers = m_state.events.Listen([this](const bus::LinkEvent& e) {
    const auto* ended = std::get_if<bus::TransferEnded>(&e);
    if (ended && ended->kind == bus::TransferKind::ProgramDownload) {
      m_downloadWarning->setText(ended->completed ? QString()
                                                  : QString::fromStdString(bus::InterruptedDownloadText(
                                                        ended->blocksDone, ended->blocksTotal)));
    } else if (ended && ended->kind == bus::TransferKind::Upload && ended->completed) {
      // The editor is rebuilt from the image; not inside the link's receive event. A
      // verify read reads beside the image and leaves the editor as it is.
      QMetaObject::invokeMethod(this, &MDIForm1::OnUploadCompleted, Qt::QueuedConnection);
    }
  });
}

void MDIForm1::OnUploadCompleted() {
  // The editor's unstored changes would go with the tables refilled below.
  QString rescued;
  if (program::editors::Program_EDIT* editor = Editor(); editor && editor->HasUnstoredChanges()) {
    rescued = QStringLiteral("; düzenleyicideki değişiklikler: ") + WriteRecoveryCopy();
  }
  program::UnpackProgramImage(m_state.image, m_state.model);
  program::ExpandSteps(m_state.model);
  Apply({true, Editor() != nullptr,
         QStringLiteral("Proje kontrolörün hafızasını içeriyor, henüz kaydedilmedi") + rescued});
}

void MDIForm1::StatusUpdate() {
  if (QAction* cards = Slot(Child::Cards).toggle) cards->setChecked(m_state.flags.CardsViewOpen);
  const bool open = ProjectIsOpen(m_state);
  m_new->setEnabled(true);
  // The link's window needs no project: it can be opened again at any time.
  Slot(Child::Comm).toggle->setEnabled(true);
  for (QAction* a : {m_save, m_saveAs, Slot(Child::Cards).toggle, Slot(Child::Editor).toggle}) {
    a->setEnabled(open);
  }
  QString caption = open ? QString::fromStdString(m_state.ProjectPath) : QStringLiteral("KX7140");
  if (ProjectModified()) caption += QLatin1Char('*');
  if (windowTitle() != caption) setWindowTitle(caption);
  m_panel3->setText(QString::fromStdString(m_state.clock.FormatDateTime(m_state.clock.Now())));
}

void MDIForm1::ShowStatus(const QString& text) { m_panel1->setText(text); }

}  // namespace shell
