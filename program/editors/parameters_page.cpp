#include "program/editors/parameters_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "program/editors/up_down.h"

namespace program::editors {

namespace {

struct RuleText {
  const char* caption;
  const char* tooltip;
};
constexpr std::array<RuleText, kRuleSwitches> kRules = {{
    {"Besleme Gerilimi", "0:Güç kaynağı Kontrolu ON/OFF"},
    {"Şebeke Frekansı", "1:Şebeke Frekansı kontrolu ON/OFF"},
    {"Şebeke Gerilimi", "2:Gerilimi kontrolu ON/OFF"},
    {"Çıkış Hatası", "3:Şebeke gerilimi kontrolu ON/OFF"},
    {"Hat teması", "4:Faz teması kontrolu ON/OFF"},
    {"Faz Teması", "5:Çıkış kontrolu ON/OFF"},
    {"Kırmızı flaman kopuğu", "6:Kırmızı flaman kontrolu ON/OFF"},
    {"Kuralları Devreye al", "7:Tüm hata kontrolleri ON/OFF"},
}};

struct LimitRow {
  const char* caption;
  const char* name;
  const char* labelName;
};
constexpr std::array<LimitRow, 3> kLimitRows = {{
    {"PR02-03:Şebeke Gerilimi Sınırlar (Volt)", "UpDown_220VAyar", "LBL_220VAyar"},
    {"PR04-05:Şebeke Frekans Sınırları (Hz)", "UpDown_HzAyar", "LBL_HzAyar"},
    {"PR06-07:Besleme Gerilimi Sınırlar (Volt)", "UpDown_24VAyar", "LBL_24VAyar"},
}};

QString U(const char* text) { return QString::fromUtf8(text); }
QString Indexed(const char* name, int i) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i); }

QLabel* ValueLabel(QWidget* parent, const QString& name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignCenter);
  l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  l->setAutoFillBackground(true);
  QPalette p = l->palette();
  p.setColor(QPalette::Window, Qt::white);
  l->setPalette(p);
  return l;
}

// A value label with its spinner beside it, the label following every change.
QWidget* Pair(QLabel* label, UpDown* spinner) {
  auto* box = new QWidget;
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addWidget(label);
  row->addWidget(spinner);
  row->addStretch();
  return box;
}

}  // namespace

UpDown* ParametersPage::AddSpinner(const char* name, const char* labelName, const SpinnerRange& range,
                                   QLabel*& label) {
  auto* s = new UpDown(this);
  s->setObjectName(QLatin1String(name));
  s->setRange(range.min, range.max);
  s->setValue(range.min);
  label = ValueLabel(this, QLatin1String(labelName));
  label->setText(QString::number(range.min));
  connect(s, &QSpinBox::valueChanged, label, [label](int v) { label->setText(QString::number(v)); });
  return s;
}

ParametersPage::ParametersPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ParametersPage"));
  auto* grid = new QGridLayout;
  int row = 0;
  auto caption = [&](const char* text, Qt::Alignment vertical = Qt::AlignVCenter) {
    auto* l = new QLabel(U(text), this);
    grid->addWidget(l, row, 0, Qt::AlignLeft | vertical);
    return l;
  };

  caption("PR00:Kullanılan Kart Sayisi :");
  m_UpDown_Kart_Sayisi =
      AddSpinner("UpDown_Kart_Sayisi", "LBL_Kart_Sayisi", kCardCountRange, m_LBL_Kart_Sayisi);
  grid->addWidget(Pair(m_LBL_Kart_Sayisi, m_UpDown_Kart_Sayisi), row++, 1);

  caption("PR01:Güvenlik kuralları : ", Qt::AlignTop);
  auto* rules = new QGridLayout;
  rules->setHorizontalSpacing(12);
  for (int i = 0; i < kRuleSwitches; ++i) {
    auto* c = new QCheckBox(U(kRules[static_cast<std::size_t>(i)].caption), this);
    c->setObjectName(Indexed("Kural_CHK", i));
    c->setToolTip(U(kRules[static_cast<std::size_t>(i)].tooltip));
    connect(c, &QCheckBox::clicked, this, &ParametersPage::KuralEnable);
    rules->addWidget(c, i % 4, i / 4);
    m_Kural_CHK[static_cast<std::size_t>(i)] = c;
  }
  grid->addLayout(rules, row++, 1);

  for (std::size_t r = 0; r < kLimitRows.size(); ++r) {
    caption(kLimitRows[r].caption);
    auto* pair = new QHBoxLayout;
    for (int k = 0; k < 2; ++k) {
      const std::size_t i = 2 * r + static_cast<std::size_t>(k);
      QLabel* label = nullptr;
      const QByteArray name = Indexed(kLimitRows[r].name, k).toLatin1();
      const QByteArray labelName = Indexed(kLimitRows[r].labelName, k).toLatin1();
      m_limits[i] = AddSpinner(name.constData(), labelName.constData(), kLimitRanges[i], label);
      m_limitLabels[i] = label;
      pair->addWidget(Pair(label, m_limits[i]));
    }
    pair->addStretch();
    grid->addLayout(pair, row++, 1);
  }

  caption("PR08:Tanimlamalar 1");
  auto* defs = new QHBoxLayout;
  const std::array<const char*, kDefinitionSwitches> defCaptions = {"GPS Kullan", "Dedektor Kullan"};
  for (int i = 0; i < kDefinitionSwitches; ++i) {
    auto* c = new QCheckBox(U(defCaptions[static_cast<std::size_t>(i)]), this);
    c->setObjectName(Indexed("Tanimlama1_CHK", i));
    defs->addWidget(c);
    m_Tanimlama1_CHK[static_cast<std::size_t>(i)] = c;
  }
  defs->addStretch();
  grid->addLayout(defs, row++, 1);

  caption("PR09:Flas Süresi 0=0.5sn, 1=1sn");
  m_UpDown_FlasSuresi =
      AddSpinner("UpDown_FlasSuresi", "Lbl_FlasSuresi", kFlashPeriodRange, m_Lbl_FlasSuresi);
  grid->addWidget(Pair(m_Lbl_FlasSuresi, m_UpDown_FlasSuresi), row++, 1);

  caption("PR10-26:", Qt::AlignTop);
  auto* frame = new QGroupBox(U("Flaman Kopugu Testine Dahil Gruplar"), this);
  frame->setObjectName(QStringLiteral("Frame_Flaman_Kopugu"));
  auto* groups = new QGridLayout(frame);
  for (int g = 0; g < kFilamentGroups; ++g) {
    auto* c = new QCheckBox(QStringLiteral("Grup-%1").arg(g + 1, 2, 10, QLatin1Char('0')), frame);
    c->setObjectName(Indexed("Chk_Flaman_Kopugu", g));
    groups->addWidget(c, g % 8, g / 8);
    m_Chk_Flaman_Kopugu[static_cast<std::size_t>(g)] = c;
  }
  grid->addWidget(frame, row++, 1, Qt::AlignLeft);

  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row, 1);
  grid->setVerticalSpacing(8);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  KuralEnable();
}

void ParametersPage::Show(const ParameterSettings& s) {
  m_UpDown_Kart_Sayisi->setValue(s.cards);
  m_LBL_Kart_Sayisi->setText(QString::number(m_UpDown_Kart_Sayisi->value()));
  m_UpDown_FlasSuresi->setValue(s.flashPeriod);
  m_Lbl_FlasSuresi->setText(QString::number(m_UpDown_FlasSuresi->value()));
  for (std::size_t i = 0; i < m_Kural_CHK.size(); ++i) m_Kural_CHK[i]->setChecked(s.rules[i]);
  for (std::size_t i = 0; i < m_Tanimlama1_CHK.size(); ++i) m_Tanimlama1_CHK[i]->setChecked(s.definitions[i]);
  for (std::size_t i = 0; i < m_limits.size(); ++i) {
    m_limits[i]->setValue(s.limits[i]);
    m_limitLabels[i]->setText(QString::number(m_limits[i]->value()));
  }
  for (std::size_t g = 0; g < m_Chk_Flaman_Kopugu.size(); ++g)
    m_Chk_Flaman_Kopugu[g]->setChecked(s.filamentGroups[g]);
  KuralEnable();
}

ParameterSettings ParametersPage::Settings() const {
  ParameterSettings s;
  s.cards = m_UpDown_Kart_Sayisi->value();
  for (std::size_t i = 0; i < m_Kural_CHK.size(); ++i) s.rules[i] = m_Kural_CHK[i]->isChecked();
  for (std::size_t i = 0; i < m_limits.size(); ++i) s.limits[i] = m_limits[i]->value();
  for (std::size_t i = 0; i < m_Tanimlama1_CHK.size(); ++i)
    s.definitions[i] = m_Tanimlama1_CHK[i]->isChecked();
  s.flashPeriod = m_UpDown_FlasSuresi->value();
  for (std::size_t g = 0; g < m_Chk_Flaman_Kopugu.size(); ++g)
    s.filamentGroups[g] = m_Chk_Flaman_Kopugu[g]->isChecked();
  return s;
}

void ParametersPage::KuralEnable() {
  const bool on = m_Kural_CHK[kMasterRule]->isChecked();
  for (int i = 0; i < kMasterRule; ++i) m_Kural_CHK[static_cast<std::size_t>(i)]->setEnabled(on);
}

}  // namespace program::editors
