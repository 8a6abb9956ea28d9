#include "render/interface_font.h"

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
    // Whole-pixel advances, so a letter written alone lands exactly over the same letter
    // of the whole line; unhinted, the advances are fractional and the two drift apart.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace varnelle::gui
