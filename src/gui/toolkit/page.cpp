#include "gui/toolkit/page.h"

namespace varnelle::gui {

Page::Page(QWidget* parent) : QWidget(parent) {}

void Page::reconstruit() {
    actualise();
    emit reconstruite();
}

void Page::appliqueParametres(const TParam&) {}

bool Page::choisitSousPage(int) {
    return false;
}

bool Page::aLeClavier(const QWidget& widget) const {
    const QWidget* focus = window()->focusWidget();
    return focus != nullptr && (focus == &widget || widget.isAncestorOf(focus));
}

}  // namespace varnelle::gui
