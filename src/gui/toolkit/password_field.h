#pragma once

#include <QLineEdit>

namespace varnelle::gui {

// A password entry: one "*" per character, letters turned to upper case as they are typed,
// and only characters the data file can keep.
class PasswordField final : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kLongueurMax = 255;

    explicit PasswordField(QWidget* parent = nullptr);

private:
    void normalize(const QString& typed);
};

}  // namespace varnelle::gui
