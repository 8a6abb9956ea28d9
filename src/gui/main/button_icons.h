#pragma once

#include <QIcon>

namespace varnelle::gui {

// The pictures of the main window's button bar, drawn here at 16 x 16.
enum class ButtonPicture { Add, Delete, Print, Settings, StoreBookmark, GoToBookmark, Close };

// `number` is drawn on the bookmark pictures (1 or 2) and ignored by the others.
QIcon buttonIcon(ButtonPicture picture, int number = 0);

}  // namespace varnelle::gui
