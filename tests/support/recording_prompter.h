#pragma once

#include <deque>
#include <vector>

#include <QString>

#include "gui/toolkit/prompter.h"

namespace varnelle::gui {

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
