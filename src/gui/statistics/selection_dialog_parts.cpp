#include "gui/statistics/selection_dialog_parts.h"

#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include "gui/toolkit/placed_control.h"

namespace varnelle::gui {

namespace {

constexpr int kCote = 32;

QPixmap toile() {
    QPixmap image(kCote, kCote);
    image.fill(Qt::transparent);
    return image;
}

QIcon imageGraphe() {
    QPixmap image = toile();
    QPainter p(&image);
    p.fillRect(2, 2, 28, 28, QColor(0, 0, 128));
    const int hauteurs[] = {10, 18, 6, 14, 22};
    for (int i = 0; i < 5; ++i)
        p.fillRect(5 + i * 5, 27 - hauteurs[i], 4, hauteurs[i],
                   i % 2 == 0 ? QColor(255, 255, 255) : QColor(255, 255, 0));
    return QIcon(image);
}

QIcon imageGrille() {
    QPixmap image = toile();
    QPainter p(&image);
    p.fillRect(2, 2, 28, 28, QColor(0, 0, 128));
    p.setPen(QColor(0, 255, 255));
    for (const int y : {9, 16, 23}) p.drawLine(3, y, 28, y);
    for (const int x : {11, 20}) p.drawLine(x, 3, x, 28);
    return QIcon(image);
}

QToolButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QIcon& image,
                    const QRect& at) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setAccessibleName(texte);
    b->setIcon(image);
    b->setIconSize(QSize(kCote, kCote));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setCheckable(true);
    b->setGeometry(at);
    return b;
}

}  // namespace

ContenuCellules::ContenuCellules(QWidget* parent, const QRect& at, int x)
    : QGroupBox(QStringLiteral("Contenu des cellules"), parent),
      btGraphe_(
          bouton(this, "btGraphe", QStringLiteral("Graphe"), imageGraphe(), QRect(x, 16, 73, 73))),
      btGrille_(bouton(this, "btGrille", QStringLiteral("Grille"), imageGrille(),
                       QRect(x + 72, 16, 73, 73))) {
    setObjectName(QStringLiteral("gbContCellules"));
    setGeometry(at);
    // Not an exclusive group, which would keep one down: the one pressed last puts the
    // other up, and a second press puts it up again.
    connect(btGraphe_, &QToolButton::toggled, this, [this](bool down) {
        if (down) btGrille_->setChecked(false);
    });
    connect(btGrille_, &QToolButton::toggled, this, [this](bool down) {
        if (down) btGraphe_->setChecked(false);
    });
}

std::optional<bool> ContenuCellules::choix() const {
    if (btGraphe_->isChecked()) return true;
    if (btGrille_->isChecked()) return false;
    return std::nullopt;
}

QPushButton* boutonsCommande(QDialog& dialog, int xOK, const char* nomAnnuler) {
    const int y = dialog.height() - 41 + 8;
    auto* ok =
        placedControl<QPushButton>(&dialog, "btOK", QStringLiteral("OK"), QRect(xOK, y, 75, 25));
    ok->setDefault(true);
    auto* annuler = placedControl<QPushButton>(&dialog, nomAnnuler, QStringLiteral("Annuler"),
                                               QRect(xOK + 80, y, 75, 25));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(annuler, &QPushButton::clicked, &dialog, &QDialog::reject);
    return ok;
}

QIcon imageTousJours() {
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(200, 40, 40));
    p.setPen(QColor(60, 60, 60));
    for (const int y : {8, 11})
        for (const int x : {3, 6, 9, 12}) p.drawPoint(x, y);
    return QIcon(image);
}

}  // namespace varnelle::gui
