#include "gui/reports/apercu_rapport.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"
#include "render/interface_font.h"
#include "render/report_pages.h"

namespace varnelle::gui {

namespace {

// The zooms offered; 0 and -1 fit the page's width and the whole page in the window.
constexpr int kLargeur = 0;
constexpr int kPageEntiere = -1;
const std::pair<const char*, int> kZooms[] = {
    {"Largeur de page", kLargeur},
    {"Page entière", kPageEntiere},
    {"50 %", 50},
    {"75 %", 75},
    {"100 %", 100},
    {"150 %", 150},
    {"200 %", 200},
};

template <class Bouton = QPushButton>
Bouton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& accessible) {
    auto* b = new Bouton(parent);
    b->setText(texte);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAccessibleName(accessible);
    b->setToolTip(accessible);
    if constexpr (std::is_same_v<Bouton, QPushButton>) b->setAutoDefault(false);
    return b;
}

}  // namespace

TfmApercuRapport::TfmApercuRapport(const RapportListe& rapport, Prompter& prompter, QWidget* parent)
    : QDialog(parent), rapport_(rapport), prompter_(prompter),
      choixImprimante_(choixImprimanteSysteme) {
    setObjectName(QStringLiteral("fmApercuRapport"));
    setWindowTitle(fromBudgetText(rapport.titre()));
    setFont(interfaceFont());
    setSizeGripEnabled(true);

    auto* barre = new QHBoxLayout;
    btPremiere_ = bouton<QToolButton>(this, "btPremiere", QStringLiteral("|<"),
                                      QStringLiteral("Première page"));
    btPrecedente_ = bouton<QToolButton>(this, "btPrecedente", QStringLiteral("<"),
                                        QStringLiteral("Page précédente"));
    stPage_ = new QLabel(this);
    stPage_->setObjectName(QStringLiteral("stPage"));
    stPage_->setAlignment(Qt::AlignCenter);
    stPage_->setMinimumWidth(110);
    btSuivante_ = bouton<QToolButton>(this, "btSuivante", QStringLiteral(">"),
                                      QStringLiteral("Page suivante"));
    btDerniere_ = bouton<QToolButton>(this, "btDerniere", QStringLiteral(">|"),
                                      QStringLiteral("Dernière page"));
    cbZoom_ = new QComboBox(this);
    cbZoom_->setObjectName(QStringLiteral("cbZoom"));
    cbZoom_->setAccessibleName(QStringLiteral("Zoom"));
    for (const auto& [texte, zoom] : kZooms) cbZoom_->addItem(QString::fromUtf8(texte), zoom);
    auto* btImprimer =
        bouton(this, "btImprimer", QStringLiteral("&Imprimer..."), QStringLiteral("Imprimer"));
    auto* btFermer = bouton(this, "btFermer", QStringLiteral("&Fermer"), QStringLiteral("Fermer"));
    for (QWidget* w : {static_cast<QWidget*>(btPremiere_), static_cast<QWidget*>(btPrecedente_),
                       static_cast<QWidget*>(stPage_), static_cast<QWidget*>(btSuivante_),
                       static_cast<QWidget*>(btDerniere_), static_cast<QWidget*>(cbZoom_)})
        barre->addWidget(w);
    barre->addStretch();
    barre->addWidget(btImprimer);
    barre->addWidget(btFermer);

    imgPage_ = new QLabel;
    imgPage_->setObjectName(QStringLiteral("imgPage"));
    imgPage_->setAccessibleName(QStringLiteral("Page"));
    saPage_ = new QScrollArea(this);
    saPage_->setObjectName(QStringLiteral("saPage"));
    saPage_->setWidget(imgPage_);
    saPage_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    saPage_->setBackgroundRole(QPalette::Dark);
    saPage_->viewport()->installEventFilter(this);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(barre);
    colonne->addWidget(saPage_, 1);

    connect(btPremiere_, &QToolButton::clicked, this, [this] { montrePage(0); });
    connect(btPrecedente_, &QToolButton::clicked, this,
            [this] { montrePage(page_ > 0 ? page_ - 1 : 0); });
    connect(btSuivante_, &QToolButton::clicked, this, [this] { montrePage(page_ + 1); });
    connect(btDerniere_, &QToolButton::clicked, this,
            [this] { montrePage(rapport_.nbPages() - 1); });
    connect(cbZoom_, &QComboBox::currentIndexChanged, this, &TfmApercuRapport::dessine);
    connect(btImprimer, &QPushButton::clicked, this, &TfmApercuRapport::imprime);
    connect(btFermer, &QPushButton::clicked, this, &QDialog::reject);

    // Most of the screen's height, as a sheet of paper is taller than wide.
    const QRect ecran = (parent != nullptr ? parent->screen() : screen())->availableGeometry();
    resize(std::min(ecran.width(), ecran.height() * 3 / 4), ecran.height() * 9 / 10);
    montrePage(0);
}

void TfmApercuRapport::montrePage(std::size_t page) {
    page_ = std::min(page, rapport_.nbPages() > 0 ? rapport_.nbPages() - 1 : 0);
    stPage_->setText(QStringLiteral("Page %1 / %2").arg(page_ + 1).arg(rapport_.nbPages()));
    btPremiere_->setEnabled(page_ > 0);
    btPrecedente_->setEnabled(page_ > 0);
    btSuivante_->setEnabled(page_ + 1 < rapport_.nbPages());
    btDerniere_->setEnabled(page_ + 1 < rapport_.nbPages());
    dessine();
}

int TfmApercuRapport::resolution() const {
    const int zoom = cbZoom_->currentData().toInt();
    const QSize vue = saPage_->viewport()->size() - QSize(8, 8);
    const double pouces = page_a4::kLargeur / 2540.0, hauteur = page_a4::kHauteur / 2540.0;
    if (zoom == kLargeur) return std::max(20, static_cast<int>(vue.width() / pouces));
    if (zoom == kPageEntiere)
        return std::max(20,
                        static_cast<int>(std::min(vue.width() / pouces, vue.height() / hauteur)));
    return std::max(20, static_cast<int>(std::lround(logicalDpiX() * zoom / 100.0)));
}

void TfmApercuRapport::dessine() {
    if (rapport_.nbPages() == 0) return;
    image_ = imagePageRapport(rapport_, page_, resolution());
    imgPage_->setPixmap(QPixmap::fromImage(image_));
    imgPage_->resize(image_.size());
}

void TfmApercuRapport::imprime() {
    QPrinter printer(QPrinter::HighResolution);
    prepareImprimante(printer, rapport_);
    if (!choixImprimante_(printer, this)) return;
    std::size_t premiere = 0, derniere = rapport_.nbPages() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        premiere = static_cast<std::size_t>(printer.fromPage() - 1);
        derniere = std::min(derniere, static_cast<std::size_t>(std::max(printer.toPage(), 1) - 1));
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        premiere = derniere = page_;
    }
    if (imprimeRapport(rapport_, printer, premiere, derniere)) return;
    const QString cible = printer.outputFileName().isEmpty()
                              ? QStringLiteral("l'imprimante « %1 »").arg(printer.printerName())
                              : printer.outputFileName();
    prompter_.error(this, QStringLiteral("Erreur"),
                    QStringLiteral("Ne peut imprimer sur %1.").arg(cible));
}

void TfmApercuRapport::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown: montrePage(page_ + 1); return;
    case Qt::Key_PageUp: montrePage(page_ > 0 ? page_ - 1 : 0); return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) return montrePage(0);
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) return montrePage(rapport_.nbPages() - 1);
        break;
    default: break;
    }
    QDialog::keyPressEvent(event);
}

bool TfmApercuRapport::eventFilter(QObject* watched, QEvent* event) {
    // A zoom that fits the page follows the room the window gives it.
    if (watched == saPage_->viewport() && event->type() == QEvent::Resize &&
        cbZoom_->currentData().toInt() <= 0)
        dessine();
    return QDialog::eventFilter(watched, event);
}

void prepareImprimante(QPrinter& printer, const RapportListe& rapport) {
    printer.setDocName(fromBudgetText(rapport.titre()));
    printer.setFullPage(true);
    prepareA4(printer);
}

bool choixImprimanteSysteme(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialogue(&printer, parent);
    dialogue.setOption(QAbstractPrintDialog::PrintCurrentPage);
    return dialogue.exec() == QDialog::Accepted;
}

}  // namespace varnelle::gui
