#include "gui/toolkit/page_control.h"

#include <QKeyEvent>

#include <QProxyStyle>
#include <QTabBar>

namespace varnelle::gui {

namespace {

class CompactTabStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &PageControl::currentPageChanged);
}

void PageControl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (!(event->modifiers() & Qt::ControlModifier) || count() < 2) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    int pas = 0;
    if (key == Qt::Key_PageDown ||
        (key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier)))
        pas = 1;
    if (key == Qt::Key_PageUp || key == Qt::Key_Backtab ||
        (key == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier)))
        pas = -1;
    if (pas == 0) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    setCurrentIndex((currentIndex() + pas + count()) % count());
    event->accept();
}

void PageControl::choosePage(int index) {
    if (index < 0 || index >= count()) return;
    quiet_ = true;
    setCurrentIndex(index);
    quiet_ = false;
    shown_ = currentIndex();
}

void PageControl::setCompactTabs() {
    auto* style = new CompactTabStyle;
    style->setParent(tabBar());
    tabBar()->setStyle(style);
    tabBar()->setElideMode(Qt::ElideNone);
}

void PageControl::currentPageChanged(int index) {
    if (quiet_ || shown_ < 0) {
        shown_ = index;
        return;
    }
    // The tab bar has already moved; a refusal puts it back before anything is painted.
    if (changing_ && !changing_(shown_)) {
        quiet_ = true;
        setCurrentIndex(shown_);
        quiet_ = false;
        return;
    }
    shown_ = index;
    if (change_) change_();
}

}  // namespace varnelle::gui
