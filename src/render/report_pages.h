#pragma once

#include <cstddef>

#include <QImage>

#include "core/reports/list_reports.h"

class QPagedPaintDevice;

namespace varnelle::gui {

// The font of the printed lists, which their own texts name too.
QFont policeRapport();

// A4 portrait without margins, so that the page's top-left corner is the paper's, which the
// report's layout counts from.
void prepareA4(QPagedPaintDevice& device);

// Pages `premiere` to `derniere` (from 0, all by default) of `rapport` onto a device already set
// up as A4 (a printer, a PDF writer), each laid out with the device's own measures. False when
// the device cannot be painted on.
bool imprimeRapport(const RapportListe& rapport, QPagedPaintDevice& device,
                    std::size_t premiere = 0, std::size_t derniere = static_cast<std::size_t>(-1));

// Page `p` as an image of the whole sheet at `dpi`, on white.
QImage imagePageRapport(const RapportListe& rapport, std::size_t p, int dpi);

}  // namespace varnelle::gui
