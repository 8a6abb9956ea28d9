#pragma once

#include <functional>

#include <QTabWidget>

namespace varnelle::gui {

// A tab control whose owner may refuse to leave the page in front. Pages chosen by the
// program (choosePage) run neither check nor handler; only the user's changes do.
class PageControl final : public QTabWidget {
    Q_OBJECT

public:
    // Asked before page `leaving` is left; false keeps it in front, silently.
    using Changing = std::function<bool(int leaving)>;
    // Told after another page came to the front.
    using Change = std::function<void()>;

    explicit PageControl(QWidget* parent = nullptr);

    void setChanging(Changing changing) { changing_ = std::move(changing); }
    void setChange(Change change) { change_ = std::move(change); }

    void choosePage(int index);
    // Narrower tab margins, so that long captions fit side by side without being elided.
    void setCompactTabs();

protected:
    // Ctrl+Tab and Ctrl+PgDn show the next page, Ctrl+Shift+Tab and Ctrl+PgUp the one before,
    // as the user's choice, from any control of the page.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void currentPageChanged(int index);

    Changing changing_;
    Change change_;
    int shown_ = -1;
    bool quiet_ = false;
};

}  // namespace varnelle::gui
