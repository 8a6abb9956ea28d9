#include "toolkit/page_control.h"

namespace varnelle::gui {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &PageControl::currentPageChanged);
}

void PageControl::choosePage(int index) {
    if (index < 0 || index >= count()) return;
    quiet_ = true;
    setCurrentIndex(index);
    quiet_ = false;
    shown_ = currentIndex();
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
