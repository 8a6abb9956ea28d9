#pragma once

#include <QApplication>
#include <QTimer>
#include <QtTest>

namespace varnelle::test {

// Runs `act` on the next modal window once it shows, then closes it if `act` left it open, so
// that a failed check fails the test instead of leaving it waiting on the window.
template <class Window = QWidget, class Act> void onNextModal(Act act) {
    QTimer::singleShot(0, [act]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        auto* window = qobject_cast<Window*>(modal);
        if (window == nullptr) {
            if (modal != nullptr) modal->close();
            QFAIL("no modal window of the expected kind");
        }
        act(*window);
        if (window->isVisible()) window->close();
    });
}

}  // namespace varnelle::test
