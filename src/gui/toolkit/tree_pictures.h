#pragma once

#include <vector>

#include <QPixmap>

namespace varnelle::gui {

// The sixteen 16 x 16 pictures the trees share, drawn here, at the positions core names in
// images_arbres: years, months and expense types, red and green years and months for a
// balance that fell or did not, each with its selected variant, then the empty and the
// ticked box.
std::vector<QPixmap> treePictures();

}  // namespace varnelle::gui
