#include "gui/toolkit/cell_texts.h"

#include <algorithm>

#include <QPainter>
#include <QTextLine>
#include <QTextOption>

namespace varnelle::gui {

namespace {

constexpr std::size_t kFonts = 4;
// A screen holds a few hundred cells; beyond this, scrolling through a long grid would keep
// every text it ever showed.
constexpr std::size_t kTextsPerFont = 1024;

// What the painter's own text drawing treats specially, in texts, fonts or painters: those
// cells go through it, since they are rare and its rules for them are its own.
bool plain(const QPainter& painter, Qt::Alignment alignment, const QString& text) {
    if (painter.layoutDirection() == Qt::RightToLeft ||
        painter.transform().type() > QTransform::TxTranslate || (alignment & Qt::AlignJustify))
        return false;
    const QFont& font = painter.font();
    if (font.underline() || font.overline() || font.strikeOut()) return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == u'\n' || u == u'\r' || u == u'\t' || u == u'\u009c' || c.isHighSurrogate() ||
               c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    });
}

}  // namespace

const CellTexts::Shaped& CellTexts::shaped(const QFont& font, int dpi, const QString& text) {
    // Fonts that compare equal may still be meant for devices of other resolutions.
    auto of = std::find_if(fonts_.begin(), fonts_.end(), [&](const auto& entry) {
        return entry->dpi == dpi && entry->font == font;
    });
    if (of == fonts_.end()) {
        if (fonts_.size() == kFonts) fonts_.erase(fonts_.begin());
        fonts_.push_back(std::make_unique<OfFont>());
        fonts_.back()->font = font;
        fonts_.back()->dpi = dpi;
        of = fonts_.end() - 1;
    }
    auto& texts = (*of)->texts;
    if (auto found = texts.find(text); found != texts.end()) return *found->second;
    if (texts.size() >= kTextsPerFont) texts.clear();
    auto shape = std::make_unique<Shaped>();
    QTextLayout& layout = shape->layout;
    layout.setText(text);
    layout.setFont(font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);  // the alignment is applied when drawing
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    shape->advance = line.horizontalAdvance();
    // Without the rounding and the leading of QTextLine::height(), as the painter centres.
    shape->height = line.ascent() + line.descent();
    return *texts.emplace(text, std::move(shape)).first->second;
}

void CellTexts::draw(QPainter& painter, const QRect& area, Qt::Alignment alignment,
                     const QString& text) {
    if (text.isEmpty()) return;
    if (!plain(painter, alignment, text)) {
        painter.drawText(area, static_cast<int>(alignment) | Qt::TextSingleLine, text);
        return;
    }
    const QPaintDevice* device = painter.device();
    const Shaped& shape =
        shaped(painter.font(), device != nullptr ? device->logicalDpiY() : 0, text);
    const QRectF r(area);
    qreal y = 0;
    if (alignment & Qt::AlignBottom) {
        y = r.height() - shape.height;
    } else if (alignment & Qt::AlignVCenter) {
        y = (r.height() - shape.height) / 2;
    }
    qreal x = 0;
    if (alignment & Qt::AlignRight)
        x = r.width() - shape.advance;
    else if (alignment & Qt::AlignHCenter)
        x = (r.width() - shape.advance) / 2;
    shape.layout.lineAt(0).draw(&painter, QPointF(r.x() + x, r.y() + y));
}

}  // namespace varnelle::gui
