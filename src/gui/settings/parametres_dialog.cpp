#include "gui/settings/parametres_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "gui/settings/colour_picker.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/tree.h"
#include "render/budget_text.h"
#include "render/colour.h"
#include "render/interface_font.h"

namespace varnelle::gui {

namespace {

// The pictures of the two trees: a top-level group, an inner group, a grid colour and a chart
// colour, each drawn plain and then selected.
std::vector<QPixmap> images() {
    std::vector<QPixmap> images;
    for (int genre = 0; genre < 4; ++genre)
        for (const bool choisie : {false, true}) {
            QPixmap image(16, 16);
            image.fill(Qt::transparent);
            QPainter p(&image);
            const QColor encre = choisie ? QColor(0, 0, 160) : QColor(80, 80, 80);
            p.setPen(encre);
            if (genre < 2) {
                // A folder, smaller for an inner group.
                const int m = genre == 0 ? 1 : 3;
                p.setBrush(choisie ? QColor(255, 220, 120) : QColor(230, 200, 110));
                p.drawRect(m, 4, 14 - 2 * m, 10 - m);
                p.drawRect(m, 2, 5, 2);
            } else if (genre == 2) {
                p.setBrush(choisie ? QColor(200, 220, 255) : Qt::white);
                p.drawRect(1, 2, 13, 11);
                p.drawLine(1, 6, 14, 6);
                p.drawLine(1, 9, 14, 9);
                p.drawLine(6, 2, 6, 13);
            } else {
                p.fillRect(1, 2, 14, 12, choisie ? QColor(0, 0, 160) : QColor(0, 0, 110));
                p.fillRect(3, 8, 3, 5, Qt::white);
                p.fillRect(7, 4, 3, 9, Qt::yellow);
                p.fillRect(11, 6, 3, 7, Qt::white);
            }
            images.push_back(image);
        }
    return images;
}

// Lines across a button: vertical or horizontal.
QIcon imageBordures(bool verticales) {
    QPixmap image(20, 20);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 19, 19);
    for (const int i : {6, 13}) verticales ? p.drawLine(i, 1, i, 18) : p.drawLine(1, i, 18, i);
    return QIcon(image);
}

QToolButton* bascule(QWidget* parent, const char* nom, const QString& texte, const QRect& at) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setAccessibleName(texte);
    b->setCheckable(true);
    b->setGeometry(at);
    return b;
}

// Two buttons of which exactly one is down: "Graphe" (id 1) and "Grille" (id 0).
QButtonGroup* grapheOuGrille(QWidget* parent, const char* prefixe, const QRect& at) {
    auto* groupe = placedControl<QGroupBox>(parent, (std::string(prefixe) + "Contenu").c_str(),
                                            QStringLiteral("Contenu initial des cellules"), at);
    auto* boutons = new QButtonGroup(groupe);
    boutons->addButton(bascule(groupe, (std::string(prefixe) + "Graphe").c_str(),
                               QStringLiteral("Graphe"), QRect(8, 20, 72, 25)),
                       1);
    boutons->addButton(bascule(groupe, (std::string(prefixe) + "Grille").c_str(),
                               QStringLiteral("Grille"), QRect(88, 20, 72, 25)),
                       0);
    return boutons;
}

const std::vector<NoeudCouleur>& noeuds(ArbreCouleurs arbre) {
    return NoeudsCouleurs(arbre);
}

}  // namespace

TfmParametres::TfmParametres(TParam& param, OrigineParametres origine, Applique applique,
                             ChangeMotDePasse changeMotDePasse, QWidget* parent)
    : QDialog(parent, Qt::Tool), param_(param), travail_(param), sauve_(param), origine_(origine),
      applique_(std::move(applique)), changeMotDePasse_(std::move(changeMotDePasse)) {
    setObjectName(QStringLiteral("fmParametres"));
    setWindowTitle(QStringLiteral("Paramètres"));
    setFixedSize(472, 513);
    setFont(interfaceFont());
    creeCouleurs();
    creeOptions();

    auto* btTester = placedControl<QPushButton>(this, "btTester", QStringLiteral("&Tester"),
                                                QRect(8, 480, 75, 25));
    auto* btOK =
        placedControl<QPushButton>(this, "btOK", QStringLiteral("OK"), QRect(308, 480, 75, 25));
    btOK->setDefault(true);
    auto* btAnnuler = placedControl<QPushButton>(this, "btAnnuler", QStringLiteral("Annuler"),
                                                 QRect(389, 480, 75, 25));
    btTester->setAutoDefault(false);
    btAnnuler->setAutoDefault(false);
    connect(btTester, &QPushButton::clicked, this, &TfmParametres::btTesterClick);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

TfmParametres::~TfmParametres() = default;

Tree& TfmParametres::arbre(ArbreCouleurs arbre) {
    return arbre == ArbreCouleurs::Grilles ? *tvGrilles_ : *tvGraphes_;
}

ColourPicker& TfmParametres::choixCouleur(ArbreCouleurs arbre) {
    return arbre == ArbreCouleurs::Grilles ? *cgGrilles_ : *cgGraphes_;
}

void TfmParametres::creeCouleurs() {
    auto* gbCouleurs = placedControl<QGroupBox>(this, "gbCouleurs", QStringLiteral("&Couleurs"),
                                                QRect(8, 4, 456, 300));
    const auto cote = [&](ArbreCouleurs quel, const char* groupe, const QString& titre, int x,
                          TreeNodes& liste, Tree*& tree, ColourPicker*& picker) {
        auto* gb = placedControl<QGroupBox>(gbCouleurs, groupe, titre, QRect(x, 18, 216, 274));
        liste = NoeudsArbreCouleurs(quel, 0);
        tree = new Tree(gb);
        const bool grilles = quel == ArbreCouleurs::Grilles;
        tree->setNames(QString::fromLatin1(grilles ? "tvGrilles" : "tvGraphes"), titre);
        tree->setImages(images());
        tree->setSelectionKeptVisible(true);
        tree->setGeometry(8, 18, 200, grilles ? 188 : 210);
        tree->setNodes(&liste);
        tree->reload();
        picker = new ColourPicker(gb);
        picker->setObjectName(QString::fromLatin1(grilles ? "cgGrilles" : "cgGraphes"));
        picker->setAccessibleName(QStringLiteral("Couleur : ") + titre);
        picker->setGeometry(8, 232, 200, 36);
        tree->onCurrentNodeChanged([this, quel](int noeud) { arbreChange(quel, noeud); });
        connect(picker, &ColourPicker::choisie, this,
                [this, quel](int index) { couleurChoisie(quel, index); });
    };
    cote(ArbreCouleurs::Grilles, "gbGrilles", QStringLiteral("Grilles"), 8, noeudsGrilles_,
         tvGrilles_, cgGrilles_);
    cote(ArbreCouleurs::Graphes, "gbGraphes", QStringLiteral("Graphes"), 232, noeudsGraphes_,
         tvGraphes_, cgGraphes_);
    stExemple_ = new QLabel(tvGrilles_->parentWidget());
    stExemple_->setObjectName(QStringLiteral("stExemple"));
    stExemple_->setGeometry(8, 208, 200, 20);
    stExemple_->setAlignment(Qt::AlignCenter);
    stExemple_->setAutoFillBackground(true);
    stExemple_->hide();
}

void TfmParametres::creeOptions() {
    pcOptGrilles_ = new QTabWidget(this);
    pcOptGrilles_->setObjectName(QStringLiteral("pcOptGrilles"));
    pcOptGrilles_->setGeometry(8, 310, 456, 162);
    // The four captions do not fit the width: scrolled, each kept whole.
    pcOptGrilles_->setElideMode(Qt::ElideNone);
    pcOptGrilles_->addTab(pageGeneral(), QStringLiteral("Général"));
    pcOptGrilles_->addTab(pageGrilleOperations(), QStringLiteral("Grille opérations"));
    pcOptGrilles_->addTab(pageRecap(), QStringLiteral("Grille récap. types de dépenses"));
    pcOptGrilles_->addTab(pageCalendrier(), QStringLiteral("Calendrier des opérations"));
}

QWidget* TfmParametres::pageGeneral() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGeneral"));
    placedControl<QLabel>(page, "stFormeCoche",
                          QStringLiteral("Forme de la coche (toutes grilles)"),
                          QRect(8, 8, 300, 16));
    formeCoche_ = new QButtonGroup(page);
    const char* noms[] = {"btCochePlate", "btCocheCoche", "btCocheCroix"};
    const QString textes[] = {QStringLiteral("Plate"), QStringLiteral("Coche"),
                              QStringLiteral("Croix")};
    for (int forme = 0; forme < 3; ++forme)
        formeCoche_->addButton(
            bascule(page, noms[forme], textes[forme], QRect(8 + forme * 80, 28, 72, 25)), forme);
    formeCoche_->button(travail_.FormeCoche <= 2 ? travail_.FormeCoche : 1)->setChecked(true);
    connect(formeCoche_, &QButtonGroup::idClicked, this,
            [this](int forme) { travail_.FormeCoche = static_cast<std::uint8_t>(forme); });
    auto* bt = placedControl<QPushButton>(page, "btChangeMotDePasse",
                                          QStringLiteral("Changer le mot de passe"),
                                          QRect(8, 70, 180, 25));
    bt->setAutoDefault(false);
    connect(bt, &QPushButton::clicked, this, [this] {
        if (changeMotDePasse_) changeMotDePasse_(this);
    });
    return page;
}

QWidget* TfmParametres::pageGrilleOperations() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGrilleOperations"));
    placedControl<QLabel>(page, "stZoom", QStringLiteral("Zoom"), QRect(8, 12, 60, 16));
    tbGrilleOpZoom_ = new QSlider(Qt::Horizontal, page);
    tbGrilleOpZoom_->setObjectName(QStringLiteral("tbGrilleOpZoom"));
    tbGrilleOpZoom_->setAccessibleName(QStringLiteral("Zoom"));
    tbGrilleOpZoom_->setRange(0, 2);
    tbGrilleOpZoom_->setPageStep(1);
    tbGrilleOpZoom_->setTickPosition(QSlider::TicksBelow);
    tbGrilleOpZoom_->setGeometry(72, 8, 120, 28);
    tbGrilleOpZoom_->setValue(std::clamp(travail_.OptGrilleOp.nZoom, 0, 2));
    connect(tbGrilleOpZoom_, &QSlider::valueChanged, this,
            [this](int zoom) { travail_.OptGrilleOp.nZoom = zoom; });

    placedControl<QLabel>(page, "stPolice", QStringLiteral("Police"), QRect(8, 48, 60, 16));
    cbGrilleOpPolice_ = new QComboBox(page);
    cbGrilleOpPolice_->setObjectName(QStringLiteral("cbGrilleOpPolice"));
    cbGrilleOpPolice_->setAccessibleName(QStringLiteral("Police"));
    cbGrilleOpPolice_->setGeometry(72, 44, 220, 24);
    {
        // Filling the list must not pass for the user's choice of its first font.
        const QSignalBlocker bloque(cbGrilleOpPolice_);
        cbGrilleOpPolice_->addItems(QFontDatabase::families());
        cbGrilleOpPolice_->setCurrentIndex(
            cbGrilleOpPolice_->findText(fromBudgetText(travail_.OptGrilleOp.cPolice)));
    }
    connect(cbGrilleOpPolice_, &QComboBox::activated, this, [this](int index) {
        if (auto texte = toBudgetText(cbGrilleOpPolice_->itemText(index)))
            travail_.OptGrilleOp.cPolice = *texte;
    });

    placedControl<QLabel>(page, "stBordures", QStringLiteral("Bordures"), QRect(8, 86, 60, 16));
    btGrilleOpVert_ =
        bascule(page, "btGrilleOpVert", QStringLiteral("Verticales"), QRect(72, 80, 28, 28));
    btGrilleOpHoriz_ =
        bascule(page, "btGrilleOpHoriz", QStringLiteral("Horizontales"), QRect(104, 80, 28, 28));
    btGrilleOpVert_->setIcon(imageBordures(true));
    btGrilleOpHoriz_->setIcon(imageBordures(false));
    for (QToolButton* b : {btGrilleOpVert_, btGrilleOpHoriz_}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setToolTip(b->text());
    }
    btGrilleOpVert_->setChecked(travail_.OptGrilleOp.Grid == 1 || travail_.OptGrilleOp.Grid == 3);
    btGrilleOpHoriz_->setChecked(travail_.OptGrilleOp.Grid == 2 || travail_.OptGrilleOp.Grid == 3);
    const auto btGrilleOpClick = [this] {
        travail_.OptGrilleOp.Grid = static_cast<std::uint8_t>(
            (btGrilleOpHoriz_->isChecked() ? 2 : 0) + (btGrilleOpVert_->isChecked() ? 1 : 0));
    };
    connect(btGrilleOpVert_, &QToolButton::clicked, this, btGrilleOpClick);
    connect(btGrilleOpHoriz_, &QToolButton::clicked, this, btGrilleOpClick);
    return page;
}

QWidget* TfmParametres::pageRecap() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGrilleRecap"));
    cbGrilleRecapTDRetailLigEns_ = placedControl<QCheckBox>(
        page, "cbGrilleRecapTDRetailLigEns", QStringLiteral("Retailler les lignes ensembles"),
        QRect(8, 8, 300, 20));
    cbGrilleRecapTDRetailColEns_ = placedControl<QCheckBox>(
        page, "cbGrilleRecapTDRetailColEns", QStringLiteral("Retailler les colonnes ensembles"),
        QRect(8, 30, 300, 20));
    cbGrilleRecapTDRetailLigEns_->setChecked(travail_.lRTDRetailLigEns);
    cbGrilleRecapTDRetailColEns_->setChecked(travail_.lRTDRetailColEns);
    connect(cbGrilleRecapTDRetailLigEns_, &QCheckBox::toggled, this,
            [this](bool ensemble) { travail_.lRTDRetailLigEns = ensemble; });
    connect(cbGrilleRecapTDRetailColEns_, &QCheckBox::toggled, this,
            [this](bool ensemble) { travail_.lRTDRetailColEns = ensemble; });
    contenuRecap_ = grapheOuGrille(page, "btGrilleRecapTD", QRect(8, 56, 170, 54));
    contenuRecap_->button(travail_.lRTDContCellsGraphe ? 1 : 0)->setChecked(true);
    connect(contenuRecap_, &QButtonGroup::idClicked, this,
            [this](int graphe) { travail_.lRTDContCellsGraphe = graphe == 1; });
    return page;
}

QWidget* TfmParametres::pageCalendrier() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGrilleCalendrier"));
    cbGrilleCalendOpRetailColEns_ = placedControl<QCheckBox>(
        page, "cbGrilleCalendOpRetailColEns", QStringLiteral("Retailler les colonnes ensembles"),
        QRect(8, 8, 300, 20));
    cbGrilleCalendOpRetailColEns_->setChecked(travail_.lCaORetailColEns);
    connect(cbGrilleCalendOpRetailColEns_, &QCheckBox::toggled, this,
            [this](bool ensemble) { travail_.lCaORetailColEns = ensemble; });
    contenuCalendrier_ = grapheOuGrille(page, "btGrilleCalendOp", QRect(8, 34, 170, 54));
    contenuCalendrier_->button(travail_.lCaOContCellsGraphe ? 1 : 0)->setChecked(true);
    connect(contenuCalendrier_, &QButtonGroup::idClicked, this,
            [this](int graphe) { travail_.lCaOContCellsGraphe = graphe == 1; });
    return page;
}

void TfmParametres::FormShow() {
    using O = OrigineParametres;
    for (const ArbreCouleurs quel : {ArbreCouleurs::Grilles, ArbreCouleurs::Graphes}) {
        const int noeud = NoeudInitial(quel, origine_);
        arbre(quel).selectNode(noeud);
        arbreChange(quel, noeud);
    }
    const bool graphes =
        origine_ == O::GraphesTypesDep || origine_ == O::GraphesOperations || origine_ == O::Recap;
    (graphes ? tvGraphes_ : tvGrilles_)->setFocus();
    pcOptGrilles_->setCurrentIndex(origine_ == O::Operations   ? 1
                                   : origine_ == O::Recap      ? 2
                                   : origine_ == O::Calendrier ? 3
                                                               : 0);
}

void TfmParametres::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (place_) return;
    place_ = true;
    // At the bottom-right corner of the screen, frame included, once the frame is known.
    const auto place = [this] {
        const QRect ecran = screen()->availableGeometry();
        const QRect cadre = frameGeometry();
        move(ecran.right() + 1 - cadre.width(), ecran.bottom() + 1 - cadre.height());
    };
    place();
    QTimer::singleShot(0, this, place);
    // The chosen node's group, open, as the first line of its tree once the tree has its size.
    for (const ArbreCouleurs quel : {ArbreCouleurs::Grilles, ArbreCouleurs::Graphes}) {
        int groupe = arbre(quel).currentNode();
        if (groupe <= 0) continue;
        while (noeuds(quel)[static_cast<std::size_t>(groupe)].niveau > 0) --groupe;
        arbre(quel).expandNode(groupe, true);
        QTimer::singleShot(0, this,
                           [this, quel, groupe] { arbre(quel).scrollToNode(groupe, true); });
    }
}

void TfmParametres::arbreChange(ArbreCouleurs quel, int noeud) {
    const auto& liste = noeuds(quel);
    ColourPicker& picker = choixCouleur(quel);
    const bool feuille = noeud >= 0 && noeud < static_cast<int>(liste.size()) &&
                         liste[static_cast<std::size_t>(noeud)].cle != nullptr;
    picker.setEnabled(feuille);
    picker.setSelection(feuille ? IndicePalette(CouleurNumero(
                                      travail_, liste[static_cast<std::size_t>(noeud)].couleur))
                                : std::nullopt);
    if (quel == ArbreCouleurs::Grilles) majApercu();
}

void TfmParametres::couleurChoisie(ArbreCouleurs quel, int index) {
    Tree& tree = arbre(quel);
    tree.setFocus();
    const int noeud = tree.currentNode();
    const auto& liste = noeuds(quel);
    if (noeud < 0 || liste[static_cast<std::size_t>(noeud)].cle == nullptr) return;
    CouleurNumero(travail_, liste[static_cast<std::size_t>(noeud)].couleur) =
        kPaletteCouleurs[static_cast<std::size_t>(index)];
    if (quel == ArbreCouleurs::Grilles) majApercu();
}

void TfmParametres::majApercu() {
    const std::optional<ApercuGrille> apercu = ApercuNoeud(tvGrilles_->currentNode());
    stExemple_->setVisible(apercu.has_value());
    if (!apercu) return;
    stExemple_->setText(fromBudgetText(apercu->nom));
    QPalette couleurs = stExemple_->palette();
    couleurs.setColor(QPalette::Window, qColor(CouleurNumero(travail_, apercu->fond)));
    couleurs.setColor(QPalette::WindowText, qColor(CouleurNumero(travail_, apercu->texte)));
    stExemple_->setPalette(couleurs);
}

void TfmParametres::copieDansParam() {
    const TConfigOnglets signet1 = param_.ConfigOnglets1, signet2 = param_.ConfigOnglets2;
    param_ = travail_;
    param_.ConfigOnglets1 = signet1;
    param_.ConfigOnglets2 = signet2;
}

void TfmParametres::btTesterClick() {
    copieDansParam();
    if (applique_) applique_();
}

void TfmParametres::done(int result) {
    // Escape and the close box end here too: whatever was tested goes back.
    if (result != QDialog::Accepted) travail_ = sauve_;
    copieDansParam();
    QDialog::done(result);
}

}  // namespace varnelle::gui
