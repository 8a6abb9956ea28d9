#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace varnelle::gui {

// A control of a dialog laid out in pixels: its name, its caption and its place.
template <class Control>
Control* placedControl(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
    auto* control = new Control(caption, parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(at);
    return control;
}

}  // namespace varnelle::gui
