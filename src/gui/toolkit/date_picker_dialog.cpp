#include "gui/toolkit/date_picker_dialog.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>

#include "core/model/locale_facts.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {
namespace {

// The core's date range.
constexpr int kPremiereAnnee = 1;
constexpr int kDerniereAnnee = 9999;

QDate toQDate(const CivilDate& date) {
    return QDate(date.year, date.month, date.day);
}

CivilDate toCivilDate(QDate date) {
    return CivilDate{date.day(), date.month(), date.year()};
}

CivilDate aujourdhui() {
    return toCivilDate(QDate::currentDate());
}

// Day initials in the same language as the month names, which are French under a C locale.
QLocale localeDuCalendrier() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::French, QLocale::France) : system;
}

QFrame* panneau(QWidget* parent, const char* name, int top) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(200, top, 128, 48);
    return panel;
}

QToolButton* fleche(QFrame* panel, const char* name, Qt::ArrowType arrow, const QString& hint,
                    int left) {
    auto* button = new QToolButton(panel);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setGeometry(left, 12, 24, 24);
    return button;
}

QLabel* libelle(QFrame* panel, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, panel);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(30, 12, 68, 24);
    return label;
}

}  // namespace

TFCCalend::TFCCalend(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("FCCalend");
    setWindowTitle(QStringLiteral("Calendrier"));
    setFixedSize(336, 151);
    setFont(interfaceFont());

    Calend = new QCalendarWidget(this);
    Calend->setObjectName("Calend");
    Calend->setGeometry(8, 8, 185, 105);
    Calend->setLocale(localeDuCalendrier());
    Calend->setFirstDayOfWeek(Qt::Monday);
    // The panels on the right replace the navigation bar, so the whole month fits.
    Calend->setNavigationBarVisible(false);
    Calend->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calend->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    // The header's own minimum row height would push the sixth week out of 105 pixels.
    if (auto* view = Calend->findChild<QTableView*>())
        view->verticalHeader()->setMinimumSectionSize(1);
    // Qt starts at 1752 by default.
    Calend->setDateRange(QDate(kPremiereAnnee, 1, 1), QDate(kDerniereAnnee, 12, 31));

    pnMois = panneau(this, "pnMois", 8);
    btMoisPrec = fleche(pnMois, "btMoisPrec", Qt::LeftArrow, QStringLiteral("Mois précédent"), 4);
    stMois = libelle(pnMois, "stMois", QStringLiteral("Mois :"));
    btMoisSuiv = fleche(pnMois, "btMoisSuiv", Qt::RightArrow, QStringLiteral("Mois suivant"), 100);

    pnAnnee = panneau(this, "pnAnnee", 64);
    btAnneePrec =
        fleche(pnAnnee, "btAnneePrec", Qt::LeftArrow, QStringLiteral("Année précédente"), 4);
    stAnnee = libelle(pnAnnee, "stAnnee", QStringLiteral("Année :"));
    btAnneeSuiv =
        fleche(pnAnnee, "btAnneeSuiv", Qt::RightArrow, QStringLiteral("Année suivante"), 100);

    btAujourdhui = new QPushButton(QStringLiteral("Aujour&d'hui"), this);
    btAujourdhui->setObjectName("btAujourdhui");
    btAujourdhui->setGeometry(8, 120, 129, 25);
    btOK = new QPushButton(QStringLiteral("&Ok"), this);
    btOK->setObjectName("btOK");
    btOK->setGeometry(170, 120, 75, 25);
    btOK->setDefault(true);
    btCancel = new QPushButton(QStringLiteral("&Annuler"), this);
    btCancel->setObjectName("btCancel");
    btCancel->setGeometry(253, 120, 75, 25);

    connect(btMoisPrec, &QToolButton::clicked, this, &TFCCalend::btMoisPrecClick);
    connect(btMoisSuiv, &QToolButton::clicked, this, &TFCCalend::btMoisSuivClick);
    connect(btAnneePrec, &QToolButton::clicked, this, &TFCCalend::btAnneePrecClick);
    connect(btAnneeSuiv, &QToolButton::clicked, this, &TFCCalend::btAnneeSuivClick);
    connect(btAujourdhui, &QPushButton::clicked, this, &TFCCalend::btAujourdhuiClick);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A click on a day, the wheel or the keyboard move the shown date too.
    connect(Calend, &QCalendarWidget::selectionChanged, this, &TFCCalend::afficheLibelles);
    // Double click and Enter alike.
    connect(Calend, &QCalendarWidget::activated, this, &TFCCalend::CalendDblClick);
}

void TFCCalend::setDateDepart(std::optional<CivilDate> date) {
    dateDepart_ = date;
}

CivilDate TFCCalend::dateAffichee() const {
    return toCivilDate(Calend->selectedDate());
}

void TFCCalend::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFCCalend::FormShow() {
    montre(dateDepart_.value_or(aujourdhui()));
    afficheLibelles();
}

void TFCCalend::btMoisPrecClick() {
    deplaceMois(-1);
}

void TFCCalend::btMoisSuivClick() {
    deplaceMois(1);
}

void TFCCalend::btAnneePrecClick() {
    deplaceAnnee(-1);
}

void TFCCalend::btAnneeSuivClick() {
    deplaceAnnee(1);
}

void TFCCalend::btAujourdhuiClick() {
    montre(aujourdhui());
}

void TFCCalend::CalendDblClick(QDate date) {
    Calend->setSelectedDate(date);
    accept();
}

void TFCCalend::deplaceMois(int sens) {
    const CivilDate date = ajouteMois(dateAffichee(), sens);
    if (date.year < kPremiereAnnee || date.year > kDerniereAnnee) return;
    montre(date);
}

void TFCCalend::deplaceAnnee(int sens) {
    CivilDate date = dateAffichee();
    date.year += sens;
    if (date.year < kPremiereAnnee || date.year > kDerniereAnnee) return;
    if (date.month == 2 && date.day == 29) date.day = 28;
    montre(date);
}

void TFCCalend::montre(const CivilDate& date) {
    Calend->setSelectedDate(toQDate(date));
    afficheLibelles();
}

void TFCCalend::afficheLibelles() {
    const CivilDate date = dateAffichee();
    stMois->setText(
        fromBudgetText(localeFacts().nomsMois[static_cast<std::size_t>(date.month - 1)]));
    stAnnee->setText(QString::number(date.year));
}

std::optional<std::string> ChoisitDate(QWidget* parent, std::string_view dateTexte) {
    // On the stack: freed whatever the answer.
    TFCCalend dialog(parent);
    dialog.setDateDepart(parseDate(dateTexte));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dateText(dialog.dateAffichee());
}

}  // namespace varnelle::gui
