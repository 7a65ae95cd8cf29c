#include "program/editors/junction_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace program::editors {

namespace {

constexpr int kNameColumn = 0;
constexpr int kNoYellowColumn = 1;
const QColor kSelfPair(0xD8, 0xD8, 0xD8);
const QColor kConflict(0xFF, 0xE0, 0xE0);

QString GroupTitle(const JunctionData& data, int group) {
  const std::string_view name = GroupName(data, group);
  const QString number = QStringLiteral("Grup-%1").arg(group);
  return name.empty() ? number
                      : number + QLatin1Char(' ') +
                            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QSpinBox* LimitBox(QWidget* parent, const char* name) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setRange(0, kMaxJunctionSeconds);
  box->setSuffix(QStringLiteral(" sn"));
  box->setToolTip(QStringLiteral("0: bu denetim yapılmaz"));
  return box;
}

}  // namespace

JunctionPage::JunctionPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("KavsakPage"));

  m_TBL_GrupAdlari = new QTableWidget(kJunctionGroups, 2, this);
  m_TBL_GrupAdlari->setObjectName(QStringLiteral("TBL_GrupAdlari"));
  m_TBL_GrupAdlari->setHorizontalHeaderLabels({QStringLiteral("Grup adı"), QStringLiteral("Sarısız")});
  m_TBL_GrupAdlari->horizontalHeaderItem(kNoYellowColumn)
      ->setToolTip(QStringLiteral("Sarı lambası olmayan grup (yaya, bisiklet): sarı denetimleri yapılmaz"));
  m_TBL_GrupAdlari->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  m_TBL_GrupAdlari->horizontalHeader()->setSectionResizeMode(kNoYellowColumn, QHeaderView::ResizeToContents);
  m_TBL_GrupAdlari->verticalHeader()->setDefaultSectionSize(m_TBL_GrupAdlari->fontMetrics().height() + 6);
  m_TBL_GrupAdlari->setFixedWidth(
      m_TBL_GrupAdlari->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('x'))));

  m_TBL_Catisma = new QTableWidget(kJunctionGroups, kJunctionGroups, this);
  m_TBL_Catisma->setObjectName(QStringLiteral("TBL_Catisma"));
  m_TBL_Catisma->setToolTip(QStringLiteral(
      "Satırdaki grubun yeşili bittikten sütundaki grubun yeşili başlayana kadar en az kaç saniye geçmeli; "
      "boş: çatışma yok"));
  const int cell = m_TBL_Catisma->fontMetrics().horizontalAdvance(QStringLiteral("2555"));
  m_TBL_Catisma->horizontalHeader()->setDefaultSectionSize(cell);
  m_TBL_Catisma->horizontalHeader()->setMinimumSectionSize(cell);
  m_TBL_Catisma->verticalHeader()->setDefaultSectionSize(m_TBL_Catisma->fontMetrics().height() + 4);

  m_UpDown_EnKisaSari = LimitBox(this, "UpDown_EnKisaSari");
  m_UpDown_EnKisaKirmiziSari = LimitBox(this, "UpDown_EnKisaKirmiziSari");
  m_UpDown_EnKisaYesil = LimitBox(this, "UpDown_EnKisaYesil");
  m_BTN_Varsayilan = new QPushButton(QStringLiteral("Varsayılan"), this);
  m_BTN_Varsayilan->setObjectName(QStringLiteral("BTN_Varsayilan"));

  auto* limits = new QGroupBox(QStringLiteral("Denetim sınırları"), this);
  auto* form = new QFormLayout(limits);
  form->addRow(QStringLiteral("En kısa sarı:"), m_UpDown_EnKisaSari);
  form->addRow(QStringLiteral("En kısa kırmızı+sarı:"), m_UpDown_EnKisaKirmiziSari);
  form->addRow(QStringLiteral("En kısa yeşil:"), m_UpDown_EnKisaYesil);
  form->addRow(m_BTN_Varsayilan);

  auto* left = new QVBoxLayout;
  left->addWidget(m_TBL_GrupAdlari, 1);
  left->addWidget(limits);
  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(QStringLiteral("Çatışan gruplar ve en kısa ara yeşil süreleri (sn)"), this));
  right->addWidget(m_TBL_Catisma, 1);
  auto* row = new QHBoxLayout(this);
  row->addLayout(left);
  row->addLayout(right, 1);

  connect(m_TBL_GrupAdlari, &QTableWidget::itemChanged, this, &JunctionPage::NameEdited);
  connect(m_TBL_Catisma, &QTableWidget::itemChanged, this, &JunctionPage::ConflictEdited);
  for (QSpinBox* box : {m_UpDown_EnKisaSari, m_UpDown_EnKisaKirmiziSari, m_UpDown_EnKisaYesil}) {
    connect(box, &QSpinBox::valueChanged, this, &JunctionPage::LimitsEdited);
  }
  connect(m_BTN_Varsayilan, &QPushButton::clicked, this, &JunctionPage::DefaultLimits);
  setEnabled(false);
}

void JunctionPage::Show(JunctionData& shown) {
  m_data = &shown;
  setEnabled(true);
  Fill();
}

void JunctionPage::Fill() {
  m_filling = true;
  const JunctionData& d = *m_data;
  for (int g = 1; g <= kJunctionGroups; ++g) {
    const std::string_view name = GroupName(d, g);
    // In place, as in ShowConflict: an edited item may be the caller's.
    QTableWidgetItem* item = m_TBL_GrupAdlari->item(g - 1, kNameColumn);
    if (!item) m_TBL_GrupAdlari->setItem(g - 1, kNameColumn, item = new QTableWidgetItem);
    item->setText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    QTableWidgetItem* noYellow = m_TBL_GrupAdlari->item(g - 1, kNoYellowColumn);
    if (!noYellow) m_TBL_GrupAdlari->setItem(g - 1, kNoYellowColumn, noYellow = new QTableWidgetItem);
    noYellow->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    noYellow->setCheckState(d.pedestrian[static_cast<std::size_t>(g - 1)] ? Qt::Checked : Qt::Unchecked);
    m_TBL_GrupAdlari->setVerticalHeaderItem(g - 1, new QTableWidgetItem(QStringLiteral("Grup-%1").arg(g)));
    auto* across = new QTableWidgetItem(QString::number(g));
    across->setToolTip(GroupTitle(d, g));
    m_TBL_Catisma->setHorizontalHeaderItem(g - 1, across);
    auto* down = new QTableWidgetItem(QString::number(g));
    down->setToolTip(GroupTitle(d, g));
    m_TBL_Catisma->setVerticalHeaderItem(g - 1, down);
  }
  for (int a = 1; a <= kJunctionGroups; ++a) {
    for (int b = 1; b <= kJunctionGroups; ++b) ShowConflict(a, b);
  }
  {
    const QSignalBlocker b1(m_UpDown_EnKisaSari), b2(m_UpDown_EnKisaKirmiziSari), b3(m_UpDown_EnKisaYesil);
    m_UpDown_EnKisaSari->setValue(d.limits.minYellow);
    m_UpDown_EnKisaKirmiziSari->setValue(d.limits.minRedYellow);
    m_UpDown_EnKisaYesil->setValue(d.limits.minGreen);
  }
  m_filling = false;
}

void JunctionPage::ShowConflict(int from, int to) {
  const bool wasFilling = m_filling;
  m_filling = true;
  // The item is changed in place: it may be the one whose edit is being handled.
  QTableWidgetItem* item = m_TBL_Catisma->item(from - 1, to - 1);
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    m_TBL_Catisma->setItem(from - 1, to - 1, item);
  }
  const int seconds = MinIntergreen(*m_data, from, to);
  if (from == to) {
    item->setFlags(Qt::NoItemFlags);
    item->setBackground(kSelfPair);
  } else if (seconds != kNoConflict) {
    item->setText(QString::number(seconds));
    item->setBackground(kConflict);
    item->setToolTip(QStringLiteral("%1 -> %2: en az %3 sn")
                         .arg(GroupTitle(*m_data, from), GroupTitle(*m_data, to))
                         .arg(seconds));
  } else {
    item->setText(QString());
    item->setBackground(QBrush());
    item->setToolTip(QString());
  }
  m_filling = wasFilling;
}

void JunctionPage::NameEdited(QTableWidgetItem* item) {
  if (m_filling || !m_data || !item) return;
  const int group = item->row() + 1;
  if (item->column() == kNoYellowColumn) {
    m_data->pedestrian[static_cast<std::size_t>(group - 1)] = item->checkState() == Qt::Checked;
    emit changed();
    return;
  }
  const QByteArray utf8 = item->text().toUtf8();
  const std::string_view text(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  if (!SetGroupName(*m_data, group, text)) {
    const std::string_view why = GroupNameProblem(text);
    emit statusMessage(QStringLiteral("Grup-%1 adı alınmadı: %2")
                           .arg(group)
                           .arg(QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size()))));
  }
  Fill();
  emit changed();
}

void JunctionPage::ConflictEdited(QTableWidgetItem* item) {
  if (m_filling || !m_data || !item) return;
  const int from = item->row() + 1, to = item->column() + 1;
  const QString text = item->text().trimmed();
  if (text.isEmpty()) {
    ClearConflict(*m_data, from, to);
  } else {
    bool number = false;
    const int seconds = text.toInt(&number);
    if (!number || seconds < 0 || seconds > kMaxJunctionSeconds) {
      emit statusMessage(QStringLiteral("Ara yeşil süresi 0 ile %1 sn arasında olmalı: %2")
                             .arg(kMaxJunctionSeconds)
                             .arg(text));
      ShowConflict(from, to);
      return;
    }
    // A new pair gets the same seconds both ways; an existing one keeps the other way's.
    const int back = MinIntergreen(*m_data, to, from);
    SetConflict(*m_data, from, to, seconds, back == kNoConflict ? seconds : back);
  }
  ShowConflict(from, to);
  ShowConflict(to, from);
  emit changed();
}

void JunctionPage::LimitsEdited() {
  if (m_filling || !m_data) return;
  m_data->limits = {m_UpDown_EnKisaSari->value(), m_UpDown_EnKisaKirmiziSari->value(),
                    m_UpDown_EnKisaYesil->value()};
  emit changed();
}

void JunctionPage::DefaultLimits() {
  if (!m_data) return;
  m_data->limits = CheckLimits{};
  Fill();
  emit changed();
}

}  // namespace program::editors
