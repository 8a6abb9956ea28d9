#pragma once

#include <cstddef>
#include <functional>

#include <QDialog>

#include "core/reports/list_reports.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace varnelle::gui {

class Prompter;

// The print preview of a list: one page at a time, drawn when it is shown, so that a journal
// of thousands of pages opens at once and costs one page of memory. "Imprimer..." prints the
// pages the user chooses on a printer or into a PDF file.
class TfmApercuRapport final : public QDialog {
    Q_OBJECT

public:
    // Asks for a printer and the pages to print; false when the user cancelled.
    using ChoixImprimante = std::function<bool(QPrinter& printer, QWidget* parent)>;

    TfmApercuRapport(const RapportListe& rapport, Prompter& prompter, QWidget* parent = nullptr);

    void setChoixImprimante(ChoixImprimante choix) { choixImprimante_ = std::move(choix); }

    std::size_t pageMontree() const { return page_; }
    void montrePage(std::size_t page);
    // The page as shown, at the zoom chosen.
    const QImage& imagePage() const { return image_; }
    // Prints through the printer chosen; an error box when the printer cannot be written.
    void imprime();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Screen dots per inch of the page at the zoom chosen.
    int resolution() const;
    void dessine();

    const RapportListe& rapport_;
    Prompter& prompter_;
    ChoixImprimante choixImprimante_;
    std::size_t page_ = 0;
    QImage image_;
    QToolButton* btPremiere_;
    QToolButton* btPrecedente_;
    QLabel* stPage_;
    QToolButton* btSuivante_;
    QToolButton* btDerniere_;
    QComboBox* cbZoom_;
    QScrollArea* saPage_;
    QLabel* imgPage_;
};

// The printer of a list: A4 portrait from the paper's corner, named after the list.
void prepareImprimante(QPrinter& printer, const RapportListe& rapport);

// The platform's print dialog, which offers a PDF file when no printer is known.
bool choixImprimanteSysteme(QPrinter& printer, QWidget* parent);

}  // namespace varnelle::gui
