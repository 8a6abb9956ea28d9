#pragma once

namespace varnelle::gui {

// Gives the running QApplication what the program looks like and speaks wherever it runs: its
// name and version, its own window icon, the style its fixed-size controls were laid out for,
// its font, the system's locale facts and Qt's French translation.
void prepareApplication();

}  // namespace varnelle::gui
