#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

#include <QFont>
#include <QString>
#include <QTextLayout>

class QPainter;
class QRect;

namespace varnelle::gui {

// Draws one line of cell text exactly as QPainter::drawText(rect, flags | Qt::TextSingleLine,
// text) does, but shapes each text once: a grid shows the same texts repaint after repaint, and
// shaping them again was most of the cost of painting a screen of cells.
class CellTexts {
public:
    // Draws `text` in `area`, aligned by `alignment`, with the painter's font and pen. The
    // caller clips to `area`, as the grid clips every cell.
    void draw(QPainter& painter, const QRect& area, Qt::Alignment alignment, const QString& text);

private:
    struct Shaped {
        QTextLayout layout;
        qreal advance = 0;
        qreal height = 0;
    };
    struct OfFont {
        QFont font;
        int dpi = 0;
        std::unordered_map<QString, std::unique_ptr<Shaped>> texts;
    };
    const Shaped& shaped(const QFont& font, int dpi, const QString& text);

    // A handful of fonts (a grid's rows may differ), each with the texts shaped in it.
    std::vector<std::unique_ptr<OfFont>> fonts_;
};

}  // namespace varnelle::gui
