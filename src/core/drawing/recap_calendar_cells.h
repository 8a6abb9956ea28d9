#pragma once

#include <cstddef>

#include "core/drawing/drawing.h"
#include "core/model/param.h"
#include "core/stats/calend_op.h"
#include "core/stats/recap_types_dep.h"

namespace varnelle {

// The cells of the recap and calendar grids that the program draws itself, in cell
// coordinates: (0, 0) is the cell's top-left corner, and the outline reaches one pixel past
// the cell as the grids' rules do. A cell narrower or lower than 10 pixels shows only its
// background.

// A year of an expense type: twelve bars with their own scale, or a table of the twelve
// monthly sums. `annee` is null for a year without any operation. The colours are those of
// odd rows when `ligneImpaire` (the first type, the third...).
Drawing DessineCelluleRecap(int width, int height, const TextMetrics& metrics,
                            const TRecapAnnee* annee, bool ligneImpaire, const TParam& param);

// Day `jour` of month column `i`, one line of `hauteurLigne` per operation. Only the lines
// that cross the rows yMin..yMax - 1 of the cell are drawn, so a repaint costs what shows.
Drawing DessineCelluleCalendOp(int width, int height, const TextMetrics& metrics,
                               const CalendOp& calendrier, std::size_t i, int jour,
                               int hauteurLigne, const TParam& param, int yMin, int yMax);

}  // namespace varnelle
