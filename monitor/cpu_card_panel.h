#pragma once
// Status panel of the CPU card and of the two modules that report through it, the
// detector module and the GPS receiver. The owner writes the CPU card's words into the
// fields; Refresh also reads the detector and GPS blocks and the controller clock text
// from the register image.

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "link/number_text.h"
#include "link/register_image.h"

class QLabel;

namespace monitor {

class StatusLabel;

// The CPU card words the panel shows (each 0..65535).
struct CpuCardFields {
  std::int32_t CpuState = 0;        // word 0: 0 offline, 1 stopped, 2 running
  std::int32_t MainsVoltage = 0;    // word 3: hundredths of a volt
  std::int32_t MainsFrequency = 0;  // word 4: hundredths of a hertz
  std::int32_t PsuVoltage = 0;      // word 5: hundredths of a volt
  std::int32_t Temperature = 0;     // word 7: whole degrees Celsius
  std::int32_t MainsCurrent = 0;    // word 8: hundredths of an ampere
  bool operator==(const CpuCardFields&) const = default;
};

class KX7145V1 : public QWidget, public CpuCardFields {
  Q_OBJECT

 public:
  static constexpr int kWidthTwips = 3360;
  static constexpr int kHeightTwips = 5130;

  explicit KX7145V1(const bus::RegisterImage& regs, QWidget* parent = nullptr);

  // Shows the fields and the module values; untouched elements stay as they are.
  void Refresh();

  void SetNumberSeparators(const bus::NumberSeparators& separators);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Everything the panel's picture depends on.
  struct Inputs {
    CpuCardFields cpu;
    std::int32_t detectorState = 0;
    std::int32_t detectorBits = 0;
    std::array<std::int32_t, 17> gps{};  // GpsRegs, by bus::gps_word
    std::string clock;
    bool operator==(const Inputs&) const = default;
  };
  Inputs Read() const;
  void ShowStates(const Inputs& now, bool all);
  void ShowGpsClock(const Inputs& now);
  void ShowDetectorInputs(const Inputs& now);
  void ShowMeasurements(const Inputs& now, bool all);

  const bus::RegisterImage& m_regs;
  bus::NumberSeparators m_separators;
  bool m_shownOnce = false;
  Inputs m_shown;

  std::array<QLabel*, 9> m_CPU_LBL{};
  std::array<StatusLabel*, 3> m_Shape1{};  // CPU, detector, GPS state colour
  std::array<QLabel*, 3> m_Lbl_Status{};
  QLabel* m_Label1 = nullptr;               // GPS clock line
  std::array<QLabel*, 9> m_Lbl_CPU_Regs{};  // elements 3..8 exist
  std::array<StatusLabel*, 4> m_Shape_DedBits{};
  QLabel* m_Lbl_Ded_Status = nullptr;
};

}  // namespace monitor
