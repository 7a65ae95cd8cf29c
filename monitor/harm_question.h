#pragma once
// The questions asked before a command of the user that wipes or replaces something
// in the controller: three of the service commands and a download. The other service
// commands, the clock setting and the reads ask nothing.

#include <QString>
#include <functional>

class QWidget;

namespace monitor {

inline constexpr const char* kResetParametersQuestion = "Parametreler silinecek. Devam edilsin mi?";
inline constexpr const char* kResetAlarmListQuestion = "Alarm listesi silinecek. Devam edilsin mi?";
inline constexpr const char* kResetProgramChipQuestion = "Program hafızası silinecek. Devam edilsin mi?";
inline constexpr const char* kProgramDownloadQuestion =
    "Cihazdaki programın yerine projedeki program yüklenecek. Devam edilsin mi?";
inline constexpr const char* kSystemDownloadQuestion =
    "Cihazın sistem hafızası projedekiyle değiştirilecek. Devam edilsin mi?";

// The question for service command `index` of the service list; null when it harms
// nothing.
const char* ServiceCommandQuestion(int index);
// The question for a download of memory list entry `index` (0 system, 1 program).
const char* DownloadQuestion(int index);

// Answers a question: true to go on. The box's answer unless a test puts its own in.
using HarmQuestion = std::function<bool(const QString& question)>;
// Asks in a yes/no box (monitor/yes_no_question.h).
HarmQuestion HarmQuestionBox(QWidget* parent);

}  // namespace monitor
