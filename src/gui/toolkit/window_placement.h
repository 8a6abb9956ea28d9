#pragma once

#include <functional>

#include <QMargins>
#include <QObject>

class QWidget;

namespace varnelle::gui {

// Places a window not shown yet in the middle of the screen its opener is on (the primary
// screen without an opener), rather than over the opener.
void centreOnScreen(QWidget& window);

// Keeps a window as tall as the screen's available area, frame included, against its left or
// right edge. The window manager tells the frame only once the window is shown, so the window is
// fitted again each time its frame changes; what the user does with it afterwards is left alone.
class ScreenHeight final : public QObject {
public:
    enum class Edge { Left, Right };

    ScreenHeight(QWidget& window, Edge edge, std::function<void()> afterFit = {});

    // Sizes and places the window from the frame known now.
    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMargins frame() const;

    QWidget& window_;
    Edge edge_;
    std::function<void()> afterFit_;
    QMargins fittedFrame_;
};

}  // namespace varnelle::gui
