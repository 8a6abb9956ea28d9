#include "toolkit/interface_font.h"

namespace varnelle::gui {

QFont interfaceFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

}  // namespace varnelle::gui
