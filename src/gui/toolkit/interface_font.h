#pragma once

#include <QFont>

namespace varnelle::gui {

// The program's windows are laid out in pixels for an 8-point sans-serif font; Liberation
// Sans has the metrics they were measured with.
QFont interfaceFont();

}  // namespace varnelle::gui
