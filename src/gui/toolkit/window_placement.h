#pragma once

class QWidget;

namespace varnelle::gui {

// Places a window not shown yet in the middle of the screen its opener is on (the primary
// screen without an opener), rather than over the opener.
void centreOnScreen(QWidget& window);

}  // namespace varnelle::gui
