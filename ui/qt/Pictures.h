// The window's decoration pictures, drawn rather than shipped as files.
#pragma once

#include <string>

#include <QPixmap>
#include <QSize>

namespace ui::qt {

// The picture named by a Picture control's resource (ui::kProgramIconPicture,
// ui::kBannerPicture); an empty pixmap for an unknown name.
QPixmap picture(const std::string& resource, QSize size);

}  // namespace ui::qt
