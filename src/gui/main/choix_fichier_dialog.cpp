#include "gui/main/choix_fichier_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/storage/budget_folder.h"
#include "core/storage/password.h"
#include "core/storage/profile_file.h"
#include "gui/toolkit/messages.h"
#include "gui/toolkit/password_field.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {
namespace {

QString refusalText(NewBudgetStatus status) {
    switch (status) {
    case NewBudgetStatus::Ok:
    case NewBudgetStatus::EmptyName:
    case NewBudgetStatus::EmptyPassword:
    case NewBudgetStatus::PasswordInvalidCharacter:
    case NewBudgetStatus::PasswordTooLong:
    case NewBudgetStatus::WriteFailed: return {};
    case NewBudgetStatus::InvalidCharacter: return QStringLiteral("Caractère interdit.");
    case NewBudgetStatus::LeadingDot: return QStringLiteral("Pas de point au début.");
    case NewBudgetStatus::HiddenName: return QStringLiteral("« Copie » est réservé.");
    case NewBudgetStatus::HoldsExtension: return QStringLiteral("« .ini » est interdit.");
    case NewBudgetStatus::TooLong: return QStringLiteral("Nom trop long.");
    case NewBudgetStatus::AlreadyExists: return QStringLiteral("Ce nom existe déjà.");
    }
    return {};
}

}  // namespace

TfmChoixNomFicINI::TfmChoixNomFicINI(std::filesystem::path folder, Prompter& prompter,
                                     QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), prompter_(prompter) {
    setObjectName("fmChoixNomFicINI");
    setWindowTitle(QStringLiteral("Choix de la base de données"));
    setFixedSize(192, 273);
    setFont(interfaceFont());

    rbBDDExistantes = placedControl<QRadioButton>(this, "rbBDDExistantes",
                                                  QStringLiteral("base de données &Existante"),
                                                  QRect(8, 6, 176, 20));
    lbBDDExistantes = new QListWidget(this);
    lbBDDExistantes->setObjectName("lbBDDExistantes");
    lbBDDExistantes->setAccessibleName(QStringLiteral("Budgets existants"));
    lbBDDExistantes->setGeometry(8, 28, 176, 97);
    lbBDDExistantes->setSortingEnabled(false);
    rbNouvelleBDD = placedControl<QRadioButton>(
        this, "rbNouvelleBDD", QStringLiteral("&Nouvelle base de données"), QRect(8, 131, 176, 20));
    edNouvelleBDD = new QLineEdit(this);
    edNouvelleBDD->setObjectName("edNouvelleBDD");
    edNouvelleBDD->setAccessibleName(QStringLiteral("Nom du nouveau budget"));
    edNouvelleBDD->setGeometry(8, 153, 176, 24);
    edNouvelleBDD->setMaxLength(static_cast<int>(kLongueurNomMax));
    stRefus = new QLabel(this);
    stRefus->setObjectName("stRefus");
    stRefus->setGeometry(8, 178, 176, 16);
    stRefus->setStyleSheet(QStringLiteral("color: #a00000"));
    stMotDePasse = new QLabel(QStringLiteral("&Mot de passe"), this);
    stMotDePasse->setObjectName("stMotDePasse");
    stMotDePasse->setGeometry(8, 196, 176, 16);
    edMotDePasse = new PasswordField(this);
    edMotDePasse->setObjectName("edMotDePasse");
    edMotDePasse->setGeometry(8, 214, 176, 24);
    stMotDePasse->setBuddy(edMotDePasse);
    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName("btOK");
    btOK->setGeometry(16, 244, 75, 25);
    btOK->setEnabled(false);
    btOK->setDefault(true);
    btCancel = new QPushButton(QStringLiteral("Annuler"), this);
    btCancel->setObjectName("btCancel");
    btCancel->setGeometry(101, 244, 75, 25);

    // Each item keeps its file's own name: "Alpha.INI" is not "Alpha" + ".ini".
    for (const BudgetListe& budget : listeFichiersBudgets(folder_)) {
        auto* item = new QListWidgetItem(fromFileName(budget.nom), lbBDDExistantes);
        item->setData(Qt::UserRole, QByteArray::fromStdString(budget.fichier));
    }
    if (lbBDDExistantes->count() > 0) lbBDDExistantes->setCurrentRow(0);

    connect(rbBDDExistantes, &QRadioButton::clicked, this, &TfmChoixNomFicINI::rbClick);
    connect(rbNouvelleBDD, &QRadioButton::clicked, this, &TfmChoixNomFicINI::rbClick);
    connect(edNouvelleBDD, &QLineEdit::textChanged, this, &TfmChoixNomFicINI::edChange);
    connect(edMotDePasse, &QLineEdit::textChanged, this, &TfmChoixNomFicINI::edChange);
    connect(btOK, &QPushButton::clicked, this, &TfmChoixNomFicINI::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lbBDDExistantes, &QListWidget::itemDoubleClicked, this,
            [this] { edMotDePasse->setFocus(); });
    lbBDDExistantes->installEventFilter(this);
}

void TfmChoixNomFicINI::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TfmChoixNomFicINI::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list moves on to the password.
    if (watched == lbBDDExistantes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            edMotDePasse->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmChoixNomFicINI::FormShow() {
    rbBDDExistantes->setChecked(true);
    rbClick();
}

void TfmChoixNomFicINI::rbClick() {
    if (rbBDDExistantes->isChecked() && lbBDDExistantes->count() == 0)
        rbNouvelleBDD->setChecked(true);
    const bool existante = rbBDDExistantes->isChecked();
    lbBDDExistantes->setEnabled(existante);
    edNouvelleBDD->setEnabled(!existante);
    if (existante)
        lbBDDExistantes->setFocus();
    else
        edNouvelleBDD->setFocus();
    updateOK();
}

void TfmChoixNomFicINI::edChange() {
    updateOK();
}

QString TfmChoixNomFicINI::refusal() const {
    if (!rbNouvelleBDD->isChecked() || edNouvelleBDD->text().isEmpty()) return {};
    return refusalText(verifieNomNouveauBudget(folder_, toFileName(edNouvelleBDD->text())));
}

void TfmChoixNomFicINI::updateOK() {
    const QString why = refusal();
    stRefus->setText(why);
    bool ok = !edMotDePasse->text().isEmpty();
    if (rbNouvelleBDD->isChecked()) {
        const QString nom = edNouvelleBDD->text();
        bool listed = false;
        for (int i = 0; i < lbBDDExistantes->count() && !listed; ++i)
            listed = lbBDDExistantes->item(i)->text().compare(nom, Qt::CaseInsensitive) == 0;
        ok = ok && !nom.isEmpty() && !listed && why.isEmpty();
    } else {
        ok = ok && rbBDDExistantes->isChecked() && lbBDDExistantes->currentItem() != nullptr;
    }
    btOK->setEnabled(ok);
}

void TfmChoixNomFicINI::btOKClick() {
    const std::string motDePasse = toBudgetText(edMotDePasse->text()).value_or(std::string());
    if (rbBDDExistantes->isChecked()) {
        choice_.fileName =
            lbBDDExistantes->currentItem()->data(Qt::UserRole).toByteArray().toStdString();
        const std::filesystem::path path = folder_ / choice_.fileName;
        // The content checked here is the one the window loads: no second read.
        const ProfileFile::OpenStatus lecture = choice_.file.open(path);
        switch (lecture) {
        case ProfileFile::OpenStatus::Ok:
            if (!MotDePasseCorrect(choice_.file, motDePasse))
                prompter_.error(
                    this, QStringLiteral("Erreur"),
                    QStringLiteral("Mot de passe de la base de données '%1' invalide !!!")
                        .arg(fromFileName(choice_.fileName)));
            else
                return accept();
            break;
        case ProfileFile::OpenStatus::Missing:
        case ProfileFile::OpenStatus::Unreadable:
        case ProfileFile::OpenStatus::TooLarge:
            prompter_.error(this, QStringLiteral("Erreur"),
                            messageLectureImpossible(path, lecture));
            break;
        }
    } else {
        NewBudgetResult created =
            creeBudget(folder_, toFileName(edNouvelleBDD->text()), motDePasse);
        if (created) {
            choice_ = {created.path.filename().string(), std::move(created.file)};
            return accept();
        }
        prompter_.error(this, QStringLiteral("Erreur"),
                        created.status == NewBudgetStatus::PasswordInvalidCharacter ||
                                created.status == NewBudgetStatus::PasswordTooLong
                            ? QStringLiteral("Ce mot de passe ne peut pas être enregistré.")
                            : messageEcritureImpossible(created.path, created.systemError));
    }
    choice_ = {};
    accept();
}

BudgetChoisi ChoixFichier(const std::filesystem::path& folder, Prompter& prompter) {
    TfmChoixNomFicINI dialog(folder, prompter);
    return dialog.exec() == QDialog::Accepted ? dialog.takeChoice() : BudgetChoisi();
}

}  // namespace varnelle::gui
