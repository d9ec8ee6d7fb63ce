#include "ui/win32/Pictures.h"

#include <algorithm>

#include "ui/Pictures.h"
#include "platform/windows/WideText.h"

namespace ui::win32 {

using platform::windows_backend::widen;

int pictureIcon(const std::string& resource) {
    if (resource == ui::kProgramIconPicture) return kProgramIcon;
    if (resource == ui::kLogoPicture) return kLogoIcon;
    if (resource == ui::kAboutPicture) return kAboutIcon;
    return 0;
}

bool isBanner(const std::string& resource) { return resource == ui::kBannerPicture; }

// "VORLAN" in bold italic navy, centred, over an orange rule.
void drawBanner(HDC dc, const RECT& area) {
    const int height = area.bottom - area.top;
    HFONT font = CreateFontW(-std::max(height - 6, 6), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS,
                             L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 140));
    RECT text = area;
    DrawTextW(dc, L"VORLAN", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 180, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, area.left + 4, area.bottom - 2, nullptr);
    LineTo(dc, area.right - 4, area.bottom - 2);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

HBITMAP loadBitmapFile(const std::string& path, int width, int height) {
    if (path.empty()) return nullptr;
    auto bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, widen(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) return nullptr;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    if (info.bmWidth <= width && info.bmHeight <= height) return bitmap;
    DeleteObject(bitmap);
    // Too large: read again at the largest size that fits.
    const double scale = std::min(double(width) / info.bmWidth, double(height) / info.bmHeight);
    const int w = std::max(1, int(info.bmWidth * scale)), h = std::max(1, int(info.bmHeight * scale));
    return static_cast<HBITMAP>(LoadImageW(nullptr, widen(path).c_str(), IMAGE_BITMAP, w, h, LR_LOADFROMFILE));
}

}  // namespace ui::win32
