#include "toolkit/interface_font.h"

namespace varnelle::gui {

QFont interfaceFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont fixedPitchFont() {
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(8);
    // Replayed drawings are pixel-exact: glyphs in the text colour only.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace varnelle::gui
