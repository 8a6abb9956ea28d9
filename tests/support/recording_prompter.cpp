#include "recording_prompter.h"

namespace varnelle::gui {

void RecordingPrompter::error(QWidget*, const QString& caption, const QString& text) {
    boxes.push_back({Box::Kind::Error, caption, text, Answer::Cancel});
}

Prompter::Answer RecordingPrompter::askYesNo(QWidget*, const QString& text, Answer defaultAnswer) {
    boxes.push_back({Box::Kind::YesNo, titreQuestion(), text, defaultAnswer});
    return scripted();
}

Prompter::Answer RecordingPrompter::askYesNoCancel(QWidget*, const QString& text,
                                                   Answer defaultAnswer) {
    boxes.push_back({Box::Kind::YesNoCancel, titreQuestion(), text, defaultAnswer});
    return scripted();
}

Prompter::Answer RecordingPrompter::scripted() {
    if (script_.empty()) {
        ++unexpectedQuestions;
        return Answer::Cancel;
    }
    const Answer answer = script_.front();
    script_.pop_front();
    return answer;
}

}  // namespace varnelle::gui
