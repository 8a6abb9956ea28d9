#include "gui/main/application.h"

#include <clocale>

#include <QApplication>
#include <QIcon>

#include "gui/toolkit/system_locale.h"
#include "render/interface_font.h"

namespace varnelle::gui {

void prepareApplication() {
    // Qt takes the user's locale for the C library too; the budget's numbers are formatted
    // with the separator the program chooses, not the C library's.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Varnelle"));
    QApplication::setApplicationVersion(QStringLiteral(VARNELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("varnelle"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/varnelle.png")));
    // The fixed-size controls were laid out for this style: other styles (Adwaita among them)
    // have wider frames that cut their content.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(interfaceFont());
    applySystemLocale();
    // Without it the standard menus and dialogs stay in English; the program still runs.
    installeTraductionQt();
}

}  // namespace varnelle::gui
