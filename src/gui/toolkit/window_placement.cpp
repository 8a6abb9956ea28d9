#include "toolkit/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace varnelle::gui {

void centreOnScreen(QWidget& window) {
    const QWidget* opener = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const QScreen* screen = opener ? opener->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // A window gets its frame when it is first shown: the opener's tells how large it is.
    QRect frame(QPoint(), window.size());
    if (opener) frame.setSize(frame.size() + opener->frameGeometry().size() - opener->size());
    frame.moveCenter(screen->availableGeometry().center());
    // Once moved, the dialog is no longer placed over its opener when shown.
    window.move(frame.topLeft());
}

}  // namespace varnelle::gui
