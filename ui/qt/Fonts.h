// The fonts a form asks for, matched to what the machine has.
#pragma once

#include <QFont>
#include <QString>

#include "ui/Controls.h"

namespace ui::qt {

// The family to use for a requested one: the family itself when installed;
// "Lucida Console" -> a fixed-pitch font (so label columns line up);
// "Arial" -> a metric-compatible sans (Liberation Sans, Arimo) when installed.
QString resolveFamily(const QString& requested);

// A font sized in pixels at 96 dpi, like the window's geometry.
QFont toQFont(const ui::Font& font);

}  // namespace ui::qt
