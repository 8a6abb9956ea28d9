#include "gui/editing/import_releve_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/settings/grid_settings.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {

namespace {

QString utf8(const std::string& texte) {
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}

QString pluriel(std::size_t n, const char* singulier, const char* plurielTexte) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? plurielTexte : singulier));
}

}  // namespace

TfmImportReleve::TfmImportReleve(const Budget& budget, const QString& nomReleve,
                                 FormatReleve format, FichierReleve lu, Prompter& prompter,
                                 QWidget* parent)
    : QDialog(parent), budget_(budget), format_(format), lu_(std::move(lu)), prompter_(prompter),
      memoire_(budget.Import), grReleve_(new Grid(this)), stResume(new QLabel(this)),
      btRegle(new QPushButton(QStringLiteral("&Règle..."), this)),
      btOK(new QPushButton(QStringLiteral("&Importer"), this)),
      btAnnuler(new QPushButton(QStringLiteral("Annuler"), this)) {
    setObjectName("fmImportReleve");
    setWindowTitle(QStringLiteral("Importer un relevé - %1").arg(nomReleve));
    setFont(interfaceFont());
    resize(820, 520);
    centreOnScreen(*this);

    auto* layout = new QVBoxLayout(this);
    if (format_ == FormatReleve::Csv) creeColonnesCsv();
    if (gbColonnes != nullptr) layout->addWidget(gbColonnes);

    grReleve_->setObjectName("grReleve");
    grReleve_->setAccessibleName(QStringLiteral("Lignes du relevé"));
    layout->addWidget(grReleve_, 1);
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    grReleve_->setColumns({
        // An OFX statement's transactions are counted, not its lines.
        {format_ == FormatReleve::Ofx ? QStringLiteral("N°") : QStringLiteral("Ligne"), 50,
         GridColumn::kRight, true},
        {QStringLiteral("Date"), 80, GridColumn::kLeft, true},
        {QStringLiteral("Montant"), 90, GridColumn::kRight, true},
        {QStringLiteral("Libellé"), 270, GridColumn::kLeft, true},
        {QStringLiteral("Type"), 60, GridColumn::kLeft, false, 0, Kind::Text, Button::PickList,
         200},
        {QStringLiteral("État"), 210, GridColumn::kLeft, true},
    });
    grReleve_->setSelection(Grid::Selection::None);
    AppliqueCouleursGrille(*grReleve_, budget_.Param);
    GridModel& model = grReleve_->gridModel();
    model.setCellLoaded([this](int column, int row) { return grReleveCellLoaded(column, row); });
    model.setEndCellEdit([this](int column, int row, const QVariant& value) {
        return grReleveEndCellEdit(column, row, value);
    });
    // Skipped lines in grey; lines waiting for a type in red.
    model.setRowTextColor([this](int row) -> QColor {
        if (row < 1 || row > static_cast<int>(plan_.lignes.size())) return {};
        const LignePlan& l = plan_.lignes[static_cast<std::size_t>(row - 1)];
        if (l.statut != StatutImport::AAjouter) return QColor(Qt::gray);
        if (l.cTypeDep.empty()) return QColor(Qt::red);
        return {};
    });
    grReleve_->onDropDownInit(
        [this](int, int) { return static_cast<int>(budget_.TypesDep.size()); });
    grReleve_->onDropDownCellLoaded([this](int listColumn, int listRow, int, int) {
        if (listRow < 1 || listRow > static_cast<int>(budget_.TypesDep.size())) return QString();
        const TTypeDep& type = budget_.TypesDep[static_cast<std::size_t>(listRow - 1)];
        return fromBudgetText(listColumn == 1 ? type.cTypeDep : type.cLibelle);
    });
    grReleve_->onRowChanged([this](int, int) { majEtat(); });

    stResume->setObjectName("stResume");
    stResume->setWordWrap(true);
    layout->addWidget(stResume);

    auto* boutons = new QHBoxLayout;
    btRegle->setObjectName("btRegle");
    btRegle->setToolTip(
        QStringLiteral("Donner toujours le type de la ligne aux libellés contenant un texte"));
    btRegle->setAccessibleName(QStringLiteral("Créer une règle depuis la ligne"));
    btOK->setObjectName("btOK");
    btOK->setDefault(true);
    btAnnuler->setObjectName("btAnnuler");
    boutons->addWidget(btRegle);
    boutons->addStretch(1);
    boutons->addWidget(btOK);
    boutons->addWidget(btAnnuler);
    layout->addLayout(boutons);
    connect(btRegle, &QPushButton::clicked, this, [this] { btRegleClick(); });
    connect(btOK, &QPushButton::clicked, this, [this] {
        grReleve_->endEdit();
        if (btOK->isEnabled()) accept();
    });
    connect(btAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    planifie();
}

void TfmImportReleve::creeColonnesCsv() {
    entete_ = enteteCsv(lu_.octets);
    gbColonnes = new QGroupBox(QStringLiteral("Colonnes du relevé"), this);
    gbColonnes->setObjectName("gbColonnes");
    auto* ligne = new QHBoxLayout(gbColonnes);
    static constexpr const char* kNoms[] = {"Date", "Libellé", "Montant", "Débit", "Crédit"};
    static constexpr const char* kObjets[] = {"cbColonneDate", "cbColonneLibelle",
                                              "cbColonneMontant", "cbColonneDebit",
                                              "cbColonneCredit"};
    const ColonnesCsv* gardees = memoire_.colonnes(entete_.texte);
    const ColonnesCsv colonnes = gardees != nullptr ? *gardees : entete_.colonnes;
    const int choisies[] = {colonnes.date, colonnes.libelle, colonnes.montant, colonnes.debit,
                            colonnes.credit};
    for (std::size_t i = 0; i < cbColonnes.size(); ++i) {
        auto* etiquette = new QLabel(QString::fromUtf8(kNoms[i]), gbColonnes);
        auto* liste = new QComboBox(gbColonnes);
        liste->setObjectName(QString::fromLatin1(kObjets[i]));
        liste->setAccessibleName(QStringLiteral("Colonne %1").arg(QString::fromUtf8(kNoms[i])));
        etiquette->setBuddy(liste);
        liste->addItem(QStringLiteral("(aucune)"));
        for (const std::string& champ : entete_.champs) liste->addItem(fromBudgetText(champ));
        if (choisies[i] >= 0 && choisies[i] < liste->count() - 1)
            liste->setCurrentIndex(choisies[i] + 1);
        ligne->addWidget(etiquette);
        ligne->addWidget(liste, 1);
        cbColonnes[i] = liste;
        connect(liste, &QComboBox::currentIndexChanged, this, [this] { colonnesChangees(); });
    }
    // Columns the user had to pick are read with them from the start.
    if (lu_.releve.erreur && lu_.releve.erreur->code == CodeErreurReleve::EnteteIntrouvable)
        colonnesChangees();
}

void TfmImportReleve::colonnesChangees() {
    ColonnesCsv c;
    int* champs[] = {&c.date, &c.libelle, &c.montant, &c.debit, &c.credit};
    for (std::size_t i = 0; i < cbColonnes.size(); ++i)
        *champs[i] = cbColonnes[i]->currentIndex() - 1;
    if (!c.complete()) {
        lu_.releve = {};
        lu_.releve.erreur = ErreurReleve{0, CodeErreurReleve::EnteteIntrouvable};
    } else {
        lu_.releve = litCsv(lu_.octets, c);
        memoire_.retiensColonnes(entete_.texte, c);
    }
    planifie();
}

void TfmImportReleve::planifie() {
    if (lu_.releve.erreur) {
        plan_ = {};
    } else {
        plan_ = prepareImport(budget_, memoire_, lu_.releve.lignes);
        for (LignePlan& l : plan_.lignes) {
            const auto choisi = choix_.find(l.ligne.numero);
            if (choisi != choix_.end() && l.statut == StatutImport::AAjouter) {
                l.cTypeDep = choisi->second;
                l.origine = OrigineType::Aucune;
            }
        }
    }
    grReleve_->setRows(static_cast<int>(plan_.lignes.size()));
    grReleve_->reload();
    majEtat();
}

void TfmImportReleve::majEtat() {
    const std::size_t aAjouter = plan_.nbAAjouter();
    const std::size_t sansType = plan_.sansType().size();
    QString texte;
    if (lu_.releve.erreur) {
        const ErreurReleve& e = *lu_.releve.erreur;
        texte = e.code == CodeErreurReleve::EnteteIntrouvable
                    ? QStringLiteral("Choisissez les colonnes de la date, du libellé et du montant "
                                     "(ou du débit et du crédit).")
                    : utf8(phraseRefus({}, format_, e));
    } else if (aAjouter == 0) {
        texte = QStringLiteral("Rien à importer : le budget a déjà toutes ces opérations.");
    } else {
        texte =
            QStringLiteral("%1 à ajouter, %2.")
                .arg(pluriel(aAjouter, "opération", "opérations"))
                .arg(pluriel(plan_.lignes.size() - aAjouter, "ligne ignorée", "lignes ignorées"));
        if (sansType > 0)
            texte += QStringLiteral(" Choisissez le type de %1 en rouge.")
                         .arg(sansType > 1 ? QStringLiteral("%1 lignes").arg(sansType)
                                           : QStringLiteral("la ligne"));
    }
    stResume->setText(texte);
    stResume->setAccessibleName(texte);
    btOK->setEnabled(!lu_.releve.erreur && aAjouter > 0 && sansType == 0);
    const int row = grReleve_->currentCell().row;
    btRegle->setEnabled(row >= 1 && row <= static_cast<int>(plan_.lignes.size()) &&
                        !plan_.lignes[static_cast<std::size_t>(row - 1)].cTypeDep.empty());
}

void TfmImportReleve::btRegleClick() {
    const int row = grReleve_->currentCell().row;
    if (row < 1 || row > static_cast<int>(plan_.lignes.size())) return;
    const LignePlan& l = plan_.lignes[static_cast<std::size_t>(row - 1)];
    if (l.cTypeDep.empty()) return;
    bool ok = false;
    const QString texte = QInputDialog::getText(
        this, QStringLiteral("Règle"),
        QStringLiteral("Les libellés contenant ce texte prendront le type %1 :")
            .arg(fromBudgetText(l.cTypeDep)),
        QLineEdit::Normal, fromBudgetText(l.ligne.cLibelle), &ok);
    if (!ok) return;
    const std::optional<std::string> cTexte = toBudgetText(texte.trimmed());
    std::vector<RegleImport> regles = memoire_.regles();
    // The newest rule is tried first: it is the user's latest word.
    if (cTexte) regles.insert(regles.begin(), RegleImport{*cTexte, l.cTypeDep});
    if (!cTexte || !memoire_.setRegles(std::move(regles))) {
        prompter_.error(this, QStringLiteral("Erreur"),
                        QStringLiteral("Ce texte ne peut pas servir de règle."));
        return;
    }
    // Lines the rule now types take it, unless the user chose theirs.
    choix_.erase(l.ligne.numero);
    planifie();
}

QVariant TfmImportReleve::grReleveCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(plan_.lignes.size())) return {};
    const LignePlan& l = plan_.lignes[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case kLigne: return static_cast<qulonglong>(l.ligne.numero);
    case kDate: return fromBudgetText(l.ligne.cDate);
    case kMontant: return amountText(l.ligne.nMontant);
    case kLibelle: return fromBudgetText(l.ligne.cLibelle);
    case kType: return fromBudgetText(l.cTypeDep);
    case kEtat: return etat(l);
    default: return {};
    }
}

bool TfmImportReleve::grReleveEndCellEdit(int column, int row, const QVariant& value) {
    if (column != kType || row < 1 || row > static_cast<int>(plan_.lignes.size())) return false;
    LignePlan& l = plan_.lignes[static_cast<std::size_t>(row - 1)];
    const std::optional<std::string> code = toBudgetText(value.toString().trimmed());
    // Only a line to add takes a type, and only one the budget has.
    if (l.statut != StatutImport::AAjouter || !code ||
        (!code->empty() && budget_.IndiceTypeDep(*code) < 0)) {
        prompter_.beep();
        return false;
    }
    l.cTypeDep = *code;
    l.origine = OrigineType::Aucune;
    choix_[l.ligne.numero] = *code;
    grReleve_->reloadRow(row);
    majEtat();
    return true;
}

QString TfmImportReleve::etat(const LignePlan& l) const {
    switch (l.statut) {
    case StatutImport::DejaDansJournal: return QStringLiteral("Ignorée : déjà dans le journal");
    case StatutImport::DejaImportee: return QStringLiteral("Ignorée : déjà importée");
    case StatutImport::MontantNul: return QStringLiteral("Ignorée : montant nul");
    case StatutImport::AAjouter: break;
    }
    if (l.cTypeDep.empty()) return QStringLiteral("À ajouter, type à choisir");
    switch (l.origine) {
    case OrigineType::ChoixPrecedent: return QStringLiteral("À ajouter (type du choix précédent)");
    case OrigineType::Regle: return QStringLiteral("À ajouter (type d'une règle)");
    case OrigineType::Defaut:
    case OrigineType::Aucune: break;
    }
    return QStringLiteral("À ajouter");
}

}  // namespace varnelle::gui
