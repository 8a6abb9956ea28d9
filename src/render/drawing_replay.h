#pragma once

#include <QFont>
#include <QImage>

#include "drawing/drawing.h"

class QPainter;

namespace varnelle::gui {

// A font as the painters measure it.
class FontMetrics final : public TextMetrics {
public:
    explicit FontMetrics(const QFont& font);
    int width(std::string_view text) const override;
    int height() const override;

private:
    QFont font_;
};

// The font of the charts: the interface font, glyphs without antialiasing. Built from
// interfaceFont() rather than from the application's font, so that the window and the
// command line measure and draw the same texts.
QFont surfaceFont();

// Replays `drawing` onto `image` pixel for pixel: no antialiasing, exclusive right and bottom
// edges, line end points left out.
void replayDrawing(const Drawing& drawing, QImage& image, const QFont& font);
// The same onto a painter already in use, for instance one translated to a grid cell's
// top-left corner; the painter's state is left as it was found.
void replayDrawing(const Drawing& drawing, QPainter& painter, const QFont& font);

}  // namespace varnelle::gui
