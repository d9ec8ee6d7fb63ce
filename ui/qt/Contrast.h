// Text colours that stay readable on the background they are drawn on,
// measured as the contrast ratio of relative luminances (1:1 to 21:1).
#pragma once

#include <optional>

#include <QColor>

namespace ui::qt {

// The least ratio between a text and what is behind it.
inline constexpr double kReadableContrast = 4.5;

double contrastRatio(const QColor& a, const QColor& b);

// The text colour to draw on `background`: `wanted` when it reads well
// there, else the same hue made darker or lighter until it does; without a
// wanted colour, black or white, whichever stands out more.
QColor readableOn(const QColor& background, std::optional<QColor> wanted = std::nullopt);

}  // namespace ui::qt
