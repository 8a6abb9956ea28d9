#pragma once

#include <QFont>

namespace varnelle::gui {

// The program's windows are laid out in pixels for an 8-point sans-serif font; Liberation
// Sans has the metrics they were measured with.
QFont interfaceFont();

// The fixed-pitch font of the cells the program draws itself (the months-due initials):
// 8 points of Liberation Mono, which has the metrics of Courier New.
QFont fixedPitchFont();

}  // namespace varnelle::gui
