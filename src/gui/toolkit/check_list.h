#pragma once

#include <QListWidget>

namespace varnelle::gui {

// A list of items with tick boxes, as the dialogs use to choose several entries: space
// ticks the current item and, once let go, moves on to the next one.
class CheckList final : public QListWidget {
    Q_OBJECT

public:
    explicit CheckList(QWidget* parent = nullptr);

    void addCheckItem(const QString& text, bool checked);
    // The height that shows `rows` whole rows, frame included.
    int hauteurPour(int rows) const;
    // Without one ticksChanged per item.
    void setAllChecked(bool checked);
    bool checked(int row) const;
    bool anyChecked() const;

signals:
    // A tick changed, or space was let go: what depends on the ticks is computed again.
    void ticksChanged();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
};

}  // namespace varnelle::gui
