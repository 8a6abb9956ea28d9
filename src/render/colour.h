#pragma once

#include <cstdint>

#include <QColor>

#include "core/model/param.h"

namespace varnelle::gui {

// A budget colour, 0x00BBGGRR with red in the low byte, as Qt takes it.
inline QColor qColor(Couleur c) {
    const auto bits = static_cast<std::uint32_t>(c);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

}  // namespace varnelle::gui
