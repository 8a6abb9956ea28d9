#include "gui/toolkit/window_placement.h"

#include <QEvent>
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

ScreenHeight::ScreenHeight(QWidget& window, Edge edge, std::function<void()> afterFit)
    : QObject(&window), window_(window), edge_(edge), afterFit_(std::move(afterFit)) {
    window_.installEventFilter(this);
}

QMargins ScreenHeight::frame() const {
    const QRect inside = window_.geometry();
    const QRect outside = window_.frameGeometry();
    return {inside.left() - outside.left(), inside.top() - outside.top(),
            outside.right() - inside.right(), outside.bottom() - inside.bottom()};
}

void ScreenHeight::fit() {
    const QScreen* screen = window_.screen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    fittedFrame_ = frame();
    const int height = available.height() - fittedFrame_.top() - fittedFrame_.bottom();
    window_.resize(window_.width(), height);
    const int outerWidth = window_.width() + fittedFrame_.left() + fittedFrame_.right();
    // A window's position is that of its frame.
    window_.move(edge_ == Edge::Left ? available.left() : available.right() + 1 - outerWidth,
                 available.top());
    if (afterFit_) afterFit_();
}

bool ScreenHeight::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && window_.isVisible()) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            if (frame() != fittedFrame_) fit();
            break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace varnelle::gui
