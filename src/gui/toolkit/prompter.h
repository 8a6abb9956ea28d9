#pragma once

#include <QString>

class QWidget;

namespace varnelle::gui {

// The one door to message boxes, questions and the system beep, so that tests can answer
// questions from a script and see every box.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;

    // An error box: error icon, the caption and the sentence given, one OK button.
    virtual void error(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question box titled "Attention" with a question icon; `defaultAnswer` is the
    // button that Enter presses.
    virtual Answer askYesNo(QWidget* parent, const QString& text, Answer defaultAnswer) = 0;
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text, Answer defaultAnswer) = 0;
    virtual void beep() = 0;
};

// The caption of every question box.
QString titreQuestion();

// Asks "Supprimer <objet> ?" with No as the default answer; true on Yes.
bool confirmeSuppression(Prompter& prompter, QWidget* parent, const QString& objet);

// Real message boxes.
class MessageBoxPrompter final : public Prompter {
public:
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    Answer askYesNo(QWidget* parent, const QString& text, Answer defaultAnswer) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, Answer defaultAnswer) override;
    void beep() override;
};

}  // namespace varnelle::gui
