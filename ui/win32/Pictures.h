// The pictures of the Win32 forms: icons in the program's resources, the
// maker's word mark drawn with GDI, and picture files (bitmaps) on disk.
#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

// Icon resources in the programs' resource scripts.
inline constexpr int kProgramIcon = 1;
inline constexpr int kLogoIcon = 2;   // the product logo of the small windows
inline constexpr int kAboutIcon = 3;  // the small windows' own icon

// The icon resource that shows a Picture control's resource; 0 for none.
int pictureIcon(const std::string& resource);

// The picture drawn rather than loaded.
bool isBanner(const std::string& resource);
void drawBanner(HDC dc, const RECT& area);

// A bitmap file fitted into width x height (keeping its proportions, never
// enlarged); nullptr when the file cannot be read as a bitmap.
HBITMAP loadBitmapFile(const std::string& path, int width, int height);

}  // namespace ui::win32
