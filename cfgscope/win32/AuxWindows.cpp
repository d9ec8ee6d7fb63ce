#include "cfgscope/win32/AuxWindows.h"

#include "ui/win32/Pictures.h"

namespace ui::win32 {

FormSpec auxFormSpec(const shortcuts::AuxWindow& aux, HWND owner) {
    FormSpec formSpec;
    formSpec.caption = aux.caption;
    formSpec.titleBar = !aux.caption.empty();  // no caption, no title bar
    formSpec.clientWidth = aux.clientWidth;
    formSpec.clientHeight = aux.clientHeight;
    formSpec.background = aux.background;
    formSpec.defaultFont = aux.defaultFont;
    formSpec.iconResource = kAboutIcon;
    formSpec.controls = aux.controls;
    formSpec.owner = owner;
    return formSpec;
}

void showAuxWindow(shortcuts::AuxWindow& aux, HWND owner) {
    FormWindow window(auxFormSpec(aux, owner));
    window.onSurfaceClick = aux.onWindowClick;
    aux.shown = true;
    aux.close = [&window] { window.close(); };
    window.onClose = [&aux] { aux.shown = false; };
    if (owner) EnableWindow(owner, FALSE);
    window.showCentred();
    runUntilClosed(window);
    aux.close = nullptr;
    aux.shown = false;
    if (owner) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
}

}  // namespace ui::win32
