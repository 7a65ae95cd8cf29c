#pragma once
// Which port kx7140ctl talks on: the table the ports command prints, and what a
// --port argument names (a device, a short name, or a port number as listed).

#include <QList>

#include <string>

#include "qtlink/port_list.h"

namespace ctl {

// One line per port under a heading; empty fields show as "-".
std::string PortTable(const QList<qtlink::PortEntry>& ports);

// The device to open for a --port argument. A number counts as the service tool
// counts ports; "" with the reason in error when no port has that number.
std::string ResolvePortArgument(const std::string& argument, const QList<qtlink::PortEntry>& ports,
                                std::string& error);

}  // namespace ctl
