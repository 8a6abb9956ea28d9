#include "gui/settings/acces_parametres.h"

#include <QWidget>

#include "gui/settings/parametres_dialog.h"

namespace varnelle::gui {

AccesParametres::AccesParametres(Portes portes, QObject* parent)
    : QObject(parent), portes_(std::move(portes)) {
    setObjectName(QStringLiteral("accesParametres"));
}

AccesParametres* AccesParametres::de(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (auto* acces = w->findChild<AccesParametres*>(QStringLiteral("accesParametres"),
                                                         Qt::FindDirectChildrenOnly))
            return acces;
    return nullptr;
}

void AccesParametres::ouvre(QWidget* parent, OrigineParametres origine,
                            const std::function<void()>& applique) {
    if (portes_.debutModification) portes_.debutModification();
    {
        TfmParametres dialogue(*portes_.param, origine, applique, portes_.changeMotDePasse, parent);
        dialogue.exec();
    }
    applique();
    if (portes_.finModification) portes_.finModification();
}

}  // namespace varnelle::gui
