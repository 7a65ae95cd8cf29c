#pragma once
// An alarm line cut at the starts of its fields, for the alarm list's columns "Alarm
// No", "Alarm Tarih", "Alarm Saat" and "Açıklama". The line stays whole for printing;
// the cut only places its parts under their captions.

#include <QString>
#include <array>

namespace monitor {

inline constexpr std::array<const char*, 4> kAlarmColumnCaptions = {"Alarm No", "Alarm Tarih", "Alarm Saat",
                                                                    "Açıklama"};

// "No:0012(2024/03/05 14:07:09) Triyak_3 ..." gives "No:0012", "(2024/03/05",
// "14:07:09)" and "Triyak_3 ...". A line without that frame stands whole in the
// last column.
std::array<QString, 4> AlarmLineColumns(const QString& line);

}  // namespace monitor
