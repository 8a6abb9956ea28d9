#pragma once

#include <optional>

#include <QWidget>

namespace varnelle::gui {

// The 16 colours of the palette as 8 columns by 2 rows, one of them selected or none. Only
// a click of the user chooses; the program's selection says nothing.
class ColourPicker final : public QWidget {
    Q_OBJECT

public:
    explicit ColourPicker(QWidget* parent = nullptr);

    std::optional<int> selection() const { return selection_; }
    void setSelection(std::optional<int> index);
    // The place of palette colour `index` in the widget, for a click.
    QRect caseDe(int index) const;

signals:
    void choisie(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::optional<int> selection_;
};

}  // namespace varnelle::gui
