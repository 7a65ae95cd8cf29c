#pragma once
// The "Kavşak Bilgileri" tab: the junction's group names and groups without yellow,
// the conflicting pairs with their least intergreen seconds as a 32x32 grid (row =
// the group whose green ends, column = the group whose green starts; empty = no
// conflict), and the check limits. Edits go straight into the junction data, which is
// saved with the project file; a refused entry is put back and said why.

#include <QWidget>

#include "program/junction_data.h"

class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace program::editors {

class JunctionPage : public QWidget {
  Q_OBJECT

 public:
  explicit JunctionPage(QWidget* parent = nullptr);

  // Shows `data` and edits it from now on; it must outlive the page.
  void Show(JunctionData& data);

 signals:
  void changed();
  void statusMessage(const QString& text);

 private:
  void Fill();
  void NameEdited(QTableWidgetItem* item);
  void ConflictEdited(QTableWidgetItem* item);
  void LimitsEdited();
  void DefaultLimits();
  void ShowConflict(int from, int to);

  JunctionData* m_data = nullptr;
  bool m_filling = false;
  QTableWidget* m_TBL_GrupAdlari = nullptr;
  QTableWidget* m_TBL_Catisma = nullptr;
  QSpinBox* m_UpDown_EnKisaSari = nullptr;
  QSpinBox* m_UpDown_EnKisaKirmiziSari = nullptr;
  QSpinBox* m_UpDown_EnKisaYesil = nullptr;
  QPushButton* m_BTN_Varsayilan = nullptr;
};

}  // namespace program::editors
