#include "ctl/port_choice.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

namespace ctl {

namespace {

// Columns line up by characters, and descriptions may hold UTF-8.
std::size_t Shown(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

std::string PortTable(const QList<qtlink::PortEntry>& ports) {
  if (ports.isEmpty()) return "No serial ports found.\n";
  using Row = std::array<std::string, 5>;
  std::vector<Row> rows{{"No", "Device", "Stable name", "Description", "Serial number"}};
  const auto field = [](const QString& s) { return s.isEmpty() ? std::string("-") : s.toStdString(); };
  for (const qtlink::PortEntry& p : ports) {
    rows.push_back({std::to_string(p.number), field(p.device), field(p.stableName), field(p.description),
                    field(p.serialNumber)});
  }
  std::array<std::size_t, 5> width{};
  for (const Row& r : rows) {
    for (std::size_t c = 0; c < r.size(); ++c) width[c] = std::max(width[c], Shown(r[c]));
  }
  std::string out;
  for (const Row& r : rows) {
    std::string line;
    for (std::size_t c = 0; c < r.size(); ++c) {
      const std::string pad(width[c] - Shown(r[c]), ' ');
      // Numbers to the right, texts to the left, two blanks between columns.
      line += c == 0 ? pad + r[c] : r[c] + pad;
      if (c + 1 < r.size()) line += "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

std::string ResolvePortArgument(const std::string& argument, const QList<qtlink::PortEntry>& ports,
                                std::string& error) {
  const bool number =
      !argument.empty() && argument.size() <= 5 &&
      std::all_of(argument.begin(), argument.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!number) return qtlink::SystemLocation(QString::fromStdString(argument)).toStdString();
  QStringList devices;
  for (const qtlink::PortEntry& p : ports) devices << p.device;
  const QString device = qtlink::DeviceForNumber(std::stoi(argument), devices);
  if (device.isEmpty()) error = "there is no port " + argument + " (kx7140ctl ports lists them)";
  return device.toStdString();
}

}  // namespace ctl
