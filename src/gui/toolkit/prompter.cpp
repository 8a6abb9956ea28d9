#include "gui/toolkit/prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace varnelle::gui {
namespace {

QMessageBox::StandardButton buttonOf(Prompter::Answer answer) {
    switch (answer) {
    case Prompter::Answer::Yes: return QMessageBox::Yes;
    case Prompter::Answer::No: return QMessageBox::No;
    case Prompter::Answer::Cancel: break;
    }
    return QMessageBox::Cancel;
}

// The program's own questions answer in French even where Qt's translation is missing.
void nommeBoutons(QMessageBox& box) {
    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } noms[] = {{QMessageBox::Yes, "&Oui"},
                {QMessageBox::No, "&Non"},
                {QMessageBox::Cancel, "Annuler"},
                {QMessageBox::Ok, "OK"}};
    for (const auto& nom : noms)
        if (QAbstractButton* button = box.button(nom.button))
            button->setText(QString::fromUtf8(nom.text));
}

Prompter::Answer ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                     Prompter::Answer defaultAnswer) {
    QMessageBox box(QMessageBox::Question, titreQuestion(), text, buttons, parent);
    nommeBoutons(box);
    box.setDefaultButton(buttonOf(defaultAnswer));
    box.setEscapeButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                              : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return Prompter::Answer::Yes;
    case QMessageBox::No: return Prompter::Answer::No;
    default: return Prompter::Answer::Cancel;
    }
}

}  // namespace

void MessageBoxPrompter::error(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    nommeBoutons(box);
    box.exec();
}

Prompter::Answer MessageBoxPrompter::askYesNo(QWidget* parent, const QString& text,
                                              Answer defaultAnswer) {
    return ask(parent, text, QMessageBox::Yes | QMessageBox::No, defaultAnswer);
}

Prompter::Answer MessageBoxPrompter::askYesNoCancel(QWidget* parent, const QString& text,
                                                    Answer defaultAnswer) {
    return ask(parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
               defaultAnswer);
}

void MessageBoxPrompter::beep() {
    QApplication::beep();
}

QString titreQuestion() {
    return QStringLiteral("Attention");
}

bool confirmeSuppression(Prompter& prompter, QWidget* parent, const QString& objet) {
    return prompter.askYesNo(parent, QStringLiteral("Supprimer %1 ?").arg(objet),
                             Prompter::Answer::No) == Prompter::Answer::Yes;
}

}  // namespace varnelle::gui
