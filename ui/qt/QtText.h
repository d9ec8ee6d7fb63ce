// The forms' UTF-8 texts as Qt strings.
#pragma once

#include <string>

#include <QString>

namespace ui::qt {

inline QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace ui::qt
