#pragma once

#include <deque>
#include <vector>

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

// Records every box and beep and answers questions from a script, for tests.
class RecordingPrompter final : public Prompter {
public:
    struct Box {
        enum class Kind { Error, YesNo, YesNoCancel } kind;
        QString caption;
        QString text;
        Answer defaultAnswer;
    };

    // Answers for the next questions, in order. A question with no answer left is a test
    // fault: it is answered Cancel and counted in unexpectedQuestions.
    void answerNext(Answer answer) { script_.push_back(answer); }

    void error(QWidget* parent, const QString& caption, const QString& text) override;
    Answer askYesNo(QWidget* parent, const QString& text, Answer defaultAnswer) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, Answer defaultAnswer) override;
    void beep() override { ++beeps; }

    std::vector<Box> boxes;
    int beeps = 0;
    int unexpectedQuestions = 0;

private:
    Answer scripted();

    std::deque<Answer> script_;
};

}  // namespace varnelle::gui
