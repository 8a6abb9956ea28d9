#pragma once

#include <optional>

#include <QGroupBox>

class QDialog;
class QPushButton;
class QToolButton;

namespace varnelle::gui {

// What the dialogs choosing the rows and columns of the recap and of the calendar share.

// "Contenu des cellules" of the recap and calendar dialogs: "Graphe" and "Grille", at most
// one of them down, both up at first.
class ContenuCellules final : public QGroupBox {
    Q_OBJECT

public:
    // The buttons stand at (x, 16) and (x + 72, 16) in the group placed at `at`.
    ContenuCellules(QWidget* parent, const QRect& at, int x);

    // True: "Graphe" is down; false: "Grille" is; empty: neither.
    std::optional<bool> choix() const;

private:
    QToolButton* btGraphe_;
    QToolButton* btGrille_;
};

// "OK" at `xOK` and "Annuler" (named `nomAnnuler`) beside it in the dialog's bottom panel,
// 41 pixels high; they accept and reject the dialog. Returns "OK".
QPushButton* boutonsCommande(QDialog& dialog, int xOK, const char* nomAnnuler);

// The picture of the button that sets every day back, in the calendar's dialog.
QIcon imageTousJours();

}  // namespace varnelle::gui
