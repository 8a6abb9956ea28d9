#include "gui/settings/colour_picker.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/model/param_trees.h"
#include "render/colour.h"

namespace varnelle::gui {

namespace {

constexpr int kColonnes = 8;
constexpr int kLignes = 2;

}  // namespace

ColourPicker::ColourPicker(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ColourPicker::setSelection(std::optional<int> index) {
    selection_ = index;
    update();
}

QRect ColourPicker::caseDe(int index) const {
    const int w = width() / kColonnes, h = height() / kLignes;
    return {(index % kColonnes) * w, (index / kColonnes) * h, w, h};
}

void ColourPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < static_cast<int>(kPaletteCouleurs.size()); ++i) {
        const QRect c = caseDe(i);
        QColor couleur = qColor(kPaletteCouleurs[static_cast<std::size_t>(i)]);
        if (!isEnabled()) couleur = QColor::fromHsv(0, 0, qGray(couleur.rgb()) / 2 + 96);
        painter.fillRect(c.adjusted(2, 2, -2, -2), couleur);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(c.adjusted(2, 2, -3, -3));
        if (selection_ == i) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(c.adjusted(1, 1, -1, -1));
        }
    }
}

void ColourPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    for (int i = 0; i < static_cast<int>(kPaletteCouleurs.size()); ++i)
        if (caseDe(i).contains(event->position().toPoint())) {
            setSelection(i);
            emit choisie(i);
            return;
        }
}

}  // namespace varnelle::gui
