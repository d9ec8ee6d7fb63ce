#include "ui/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/MenuKeys.h"
#include "ui/Pictures.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/WindowText.h"
#include "platform/windows/WideText.h"

namespace ui::win32 {

namespace {

using platform::windows_backend::narrow;
using platform::windows_backend::widen;

constexpr const wchar_t* kWindowClass = L"CfgscopeForm";
constexpr UINT kRebuildMenu = WM_APP + 1;
constexpr UINT kClosePending = WM_APP + 2;
constexpr int kFirstMenuId = 20000;

int screenDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

COLORREF rgb(ui::Color c) { return RGB(c.r, c.g, c.b); }

void registerClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window on creation
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    done = true;
}

std::string crlfLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

void syncCommon(HWND w, const ui::Control& c) {
    EnableWindow(w, c.enabled());
    ShowWindow(w, c.visible() ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

int pixels(int twips) {
    static const int dpi = screenDpi();
    return MulDiv(twips, dpi, 1440);
}

FormWindow::FormWindow(const FormSpec& formSpec) : formSpec_(formSpec) {
    registerClass();
    DWORD style = formSpec.titleBar ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX : WS_POPUP | WS_BORDER;
    RECT r{0, 0, pixels(formSpec.clientWidth), pixels(formSpec.clientHeight)};
    if (!formSpec.menuBar.empty()) menu_ = CreateMenu();
    AdjustWindowRectEx(&r, style, menu_ != nullptr, 0);
    hwnd_ = CreateWindowExW(0, kWindowClass, widen(formSpec.caption).c_str(), style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                            r.right - r.left, r.bottom - r.top, formSpec.owner, menu_, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::windowProc));
    if (formSpec.iconResource) {
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(formSpec.iconResource));
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    for (ui::Control* c : formSpec.controls)
        if (!c->working) createControl(*c);  // working controls: state and actions only, no window
    if (menu_) {
        rebuildMenu();
        // Item changes rebuild the bar once, after the operation that made them.
        std::function<void(ui::MenuItem&)> watch = [&](ui::MenuItem& item) {
            item.changed = [this] {
                if (!menuDirty_) {
                    menuDirty_ = true;
                    PostMessageW(hwnd_, kRebuildMenu, 0, 0);
                }
            };
            bound_.push_back(&item);
            for (ui::MenuItem* child : item.children) watch(*child);
        };
        for (ui::MenuItem* top : formSpec.menuBar) watch(*top);
    }
}

FormWindow::~FormWindow() {
    for (ui::Control* c : bound_) c->changed = nullptr;
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    for (auto& [key, f] : fonts_) DeleteObject(f);
    for (auto& [key, b] : brushes_) DeleteObject(b);
    for (HICON icon : icons_) DestroyIcon(icon);
    for (HBITMAP bitmap : images_) DeleteObject(bitmap);
}

HFONT FormWindow::font(const ui::Font& f) {
    const std::string key = f.family + "/" + std::to_string(f.points) + (f.bold ? "b" : "");
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    static const int dpi = screenDpi();
    HFONT h = CreateFontW(-static_cast<int>(f.points * dpi / 72.0 + 0.5), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          // A missing fixed-pitch family falls back to another fixed-pitch one.
                          ui::isFixedPitchFamily(f.family) ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE,
                          widen(f.family).c_str());
    fonts_[key] = h;
    return h;
}

HBRUSH FormWindow::brush(ui::Color c) {
    unsigned key = (unsigned(c.r) << 16) | (unsigned(c.g) << 8) | c.b;
    if (auto it = brushes_.find(key); it != brushes_.end()) return it->second;
    HBRUSH b = CreateSolidBrush(rgb(c));
    brushes_[key] = b;
    return b;
}

void FormWindow::createControl(ui::Control& control) {
    const int id = nextId_++;
    const ui::Rect& g = control.geometry;
    int x = pixels(g.left), y = pixels(g.top), w = pixels(g.width), h = pixels(g.height);
    HINSTANCE inst = GetModuleHandleW(nullptr);
    // Created hidden; the first sync shows what is visible.
    DWORD base = WS_CHILD;
    HWND win = nullptr;
    auto make = [&](const wchar_t* cls, DWORD style, DWORD exStyle = 0) {
        win = CreateWindowExW(exStyle, cls, L"", base | style, x, y, w, h, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
    };
    if (auto* c = dynamic_cast<ui::Label*>(&control)) {
        DWORD align = c->align == ui::Align::Right ? SS_RIGHT : c->align == ui::Align::Center ? SS_CENTER : SS_LEFT;
        make(L"STATIC", align | SS_NOTIFY | SS_NOPREFIX);
        c->changed = [this, win, c] {
            if (windowText(win) != c->caption()) SetWindowTextW(win, widen(c->caption()).c_str());
            syncCommon(win, *c);
            InvalidateRect(win, nullptr, TRUE);
        };
    } else if (auto* c = dynamic_cast<ui::TextBox*>(&control)) {
        if (c->multiLine)
            make(L"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, WS_EX_CLIENTEDGE);
        else
            make(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        c->changed = [this, win, c] {
            // An edit control breaks lines at CR LF only.
            const std::string text = c->multiLine ? crlfLines(c->text()) : c->text();
            if (windowText(win) != text) {
                ++updating_;
                SetWindowTextW(win, widen(text).c_str());
                --updating_;
            }
            syncCommon(win, *c);
        };
    } else if (auto* c = dynamic_cast<ui::ListBox*>(&control)) {
        make(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
        c->changed = [win, c] {
            const auto& items = c->items();
            int count = static_cast<int>(SendMessageW(win, LB_GETCOUNT, 0, 0));
            // Lines are usually appended one at a time: keep the common prefix.
            int keep = std::min(count, c->count());
            for (int i = 0; i < keep; ++i) {
                int len = static_cast<int>(SendMessageW(win, LB_GETTEXTLEN, i, 0));
                std::wstring text(static_cast<std::size_t>(std::max(len, 0)) + 1, L'\0');
                SendMessageW(win, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
                text.resize(static_cast<std::size_t>(std::max(len, 0)));
                if (narrow(text) != items[static_cast<std::size_t>(i)]) {
                    keep = i;
                    break;
                }
            }
            SendMessageW(win, WM_SETREDRAW, FALSE, 0);
            for (int i = count - 1; i >= keep; --i) SendMessageW(win, LB_DELETESTRING, i, 0);
            for (std::size_t i = static_cast<std::size_t>(keep); i < items.size(); ++i)
                SendMessageW(win, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(items[i]).c_str()));
            SendMessageW(win, WM_SETREDRAW, TRUE, 0);
            if (SendMessageW(win, LB_GETCURSEL, 0, 0) != c->selected()) SendMessageW(win, LB_SETCURSEL, c->selected(), 0);
            syncCommon(win, *c);
            InvalidateRect(win, nullptr, TRUE);
        };
    } else if (auto* c = dynamic_cast<ui::Button*>(&control)) {
        make(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE);
        c->changed = [win, c] {
            if (windowText(win) != c->caption()) SetWindowTextW(win, widen(c->caption()).c_str());
            syncCommon(win, *c);
        };
    } else if (auto* c = dynamic_cast<ui::Picture*>(&control)) {
        // Pictures take no clicks (no SS_NOTIFY): a click on one reaches the window.
        if (isBanner(c->resource)) {
            make(L"STATIC", SS_OWNERDRAW);
        } else if (const std::string file = ui::pictureFile(c->resource); !file.empty()) {
            make(L"STATIC", SS_BITMAP | SS_CENTERIMAGE);
            if (HBITMAP bitmap = loadBitmapFile(file, w, h)) {
                images_.push_back(bitmap);
                SendMessageW(win, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
                SetWindowPos(win, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
            }
        } else {
            make(L"STATIC", SS_ICON | SS_CENTERIMAGE);
            if (int id = pictureIcon(c->resource)) {
                if (HICON icon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(id), IMAGE_ICON, std::min(w, h),
                                                               std::min(w, h), 0))) {
                    icons_.push_back(icon);
                    SendMessageW(win, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
                    SetWindowPos(win, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
        }
        c->changed = [win, c] { syncCommon(win, *c); };
    } else if (auto* c = dynamic_cast<ui::Line*>(&control)) {
        x = pixels(std::min(c->x1, c->x2));
        y = pixels(std::min(c->y1, c->y2));
        w = std::max(pixels(std::abs(c->x2 - c->x1)), 1);
        h = std::max(pixels(std::abs(c->y2 - c->y1)), 1);
        make(L"STATIC", c->systemShadowColor ? SS_GRAYRECT : SS_BLACKRECT);
        c->changed = [win, c] { syncCommon(win, *c); };
    } else if (auto* c = dynamic_cast<ui::Timer*>(&control)) {
        c->changed = [this, id, c] {
            if (c->enabled() && c->intervalMs > 0) SetTimer(hwnd_, static_cast<UINT_PTR>(id), static_cast<UINT>(c->intervalMs), nullptr);
            else KillTimer(hwnd_, static_cast<UINT_PTR>(id));
        };
        byId_[id] = c;
        bound_.push_back(c);
        c->changed();
        return;
    } else {
        return;
    }
    if (!win) return;
    byId_[id] = &control;
    windows_[&control] = win;
    bound_.push_back(&control);
    SendMessageW(win, WM_SETFONT, reinterpret_cast<WPARAM>(font(control.font ? *control.font : formSpec_.defaultFont)), FALSE);
    if (!control.tooltip.empty() && tooltip_) {
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = hwnd_;
        ti.uId = reinterpret_cast<UINT_PTR>(win);
        std::wstring tip = widen(control.tooltip);  // the tooltip keeps its own copy
        ti.lpszText = tip.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    control.changed();
}

void FormWindow::appendMenu(HMENU parent, ui::MenuItem& item) {
    if (!item.visible()) return;
    if (item.isSeparator) {
        AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
        return;
    }
    UINT flags = item.enabled() ? MF_ENABLED : MF_GRAYED;
    if (item.checkable && item.checked()) flags |= MF_CHECKED;
    if (!item.children.empty()) {
        HMENU sub = CreatePopupMenu();
        for (ui::MenuItem* child : item.children) appendMenu(sub, *child);
        AppendMenuW(parent, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), widen(item.caption()).c_str());
        return;
    }
    const int id = kFirstMenuId + static_cast<int>(menuItems_.size());
    menuItems_[id] = &item;
    AppendMenuW(parent, flags | MF_STRING, static_cast<UINT_PTR>(id),
                widen(menuText(item.caption(), item.shortcut())).c_str());
}

void FormWindow::rebuildMenu() {
    menuDirty_ = false;
    // Empty the bar in place (SetMenu keeps the same handle) and fill it again.
    while (GetMenuItemCount(menu_) > 0) DeleteMenu(menu_, 0, MF_BYPOSITION);
    menuItems_.clear();
    for (ui::MenuItem* top : formSpec_.menuBar) appendMenu(menu_, *top);
    DrawMenuBar(hwnd_);

    // Accelerators follow the items; a hidden or disabled item's key does nothing.
    std::vector<ACCEL> keys;
    for (const auto& [id, item] : menuItems_) {
        auto key = acceleratorKey(item->shortcut());
        if (!key) continue;
        ACCEL a{};
        a.fVirt = FVIRTKEY | (key->ctrl ? FCONTROL : 0) | (key->shift ? FSHIFT : 0) | (key->alt ? FALT : 0);
        a.key = static_cast<WORD>(key->virtualKey);
        a.cmd = static_cast<WORD>(id);
        keys.push_back(a);
    }
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    accelerators_ = keys.empty() ? nullptr : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

bool FormWindow::translateAccelerator(MSG& msg) {
    return accelerators_ && hwnd_ && TranslateAcceleratorW(hwnd_, accelerators_, &msg);
}

HWND FormWindow::controlHandle(const ui::Control& control) const {
    auto it = windows_.find(&control);
    return it == windows_.end() ? nullptr : it->second;
}

void FormWindow::setCaption(const std::string& caption) { SetWindowTextW(hwnd_, widen(caption).c_str()); }

void FormWindow::showCentred() {
    if (!placed_) {
        RECT r{}, area{};
        GetWindowRect(hwnd_, &r);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - w) / 2,
                     area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        placed_ = true;
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

void FormWindow::close() {
    if (hwnd_ && !closed_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void FormWindow::run(const std::function<void()>& operation) {
    ++busy_;
    operation();
    --busy_;
    if (busy_ == 0 && closePending_) {
        closePending_ = false;
        PostMessageW(hwnd_, kClosePending, 0, 0);
    }
}

void FormWindow::command(int id, int code) {
    if (auto m = menuItems_.find(id); m != menuItems_.end()) {
        ui::MenuItem* item = m->second;
        run([item] { item->click(); });
        return;
    }
    auto it = byId_.find(id);
    if (it == byId_.end()) return;
    ui::Control* control = it->second;
    HWND win = controlHandle(*control);
    if (auto* c = dynamic_cast<ui::Button*>(control); c && code == BN_CLICKED) {
        run([c] { c->click(); });
    } else if (auto* c = dynamic_cast<ui::Label*>(control)) {
        if (code == STN_CLICKED) run([c] { c->click(); });
        else if (code == STN_DBLCLK) run([c] { c->doubleClick(); });
    } else if (auto* c = dynamic_cast<ui::TextBox*>(control); c && code == EN_CHANGE && updating_ == 0) {
        std::string text = windowText(win);
        run([c, text] { c->setText(text); });
    } else if (auto* c = dynamic_cast<ui::ListBox*>(control)) {
        int row = static_cast<int>(SendMessageW(win, LB_GETCURSEL, 0, 0));
        if (code == LBN_SELCHANGE && row >= 0 && row != c->selected()) {
            run([c, row] { c->select(row); });
        } else if (code == LBN_DBLCLK && row >= 0) {
            run([c, row] {
                if (row != c->selected()) c->select(row);
                c->doubleClick();
            });
        }
    }
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || msg == WM_NCDESTROY) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->handle(msg, wp, lp);
}

LRESULT FormWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        command(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_TIMER:
        if (auto it = byId_.find(static_cast<int>(wp)); it != byId_.end())
            if (auto* t = dynamic_cast<ui::Timer*>(it->second)) run([t] { t->tick(); });
        return 0;
    case WM_SETCURSOR:
        // The wait pointer stays over the whole window, children included,
        // while an operation wants it; the controls' own pointers otherwise.
        if (waiting && waiting()) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        auto it = byId_.find(static_cast<int>(item->CtlID));
        if (it == byId_.end()) break;
        FillRect(item->hDC, &item->rcItem, brush(it->second->background.value_or(formSpec_.background)));
        drawBanner(item->hDC, item->rcItem);
        return TRUE;
    }
    case WM_LBUTTONUP:
        if (onSurfaceClick) run([this] { onSurfaceClick(); });
        return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush(formSpec_.background));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(wp);
        HWND child = reinterpret_cast<HWND>(lp);
        auto it = byId_.find(GetDlgCtrlID(child));
        ui::Control* c = it == byId_.end() ? nullptr : it->second;
        const bool box = msg != WM_CTLCOLORSTATIC || dynamic_cast<ui::TextBox*>(c);
        ui::Color back = box ? ui::Color{255, 255, 255} : formSpec_.background;
        if (c && c->background && !(dynamic_cast<ui::Label*>(c) && static_cast<ui::Label*>(c)->transparent))
            back = *c->background;
        SetBkColor(dc, rgb(back));
        if (c && c->foreground) SetTextColor(dc, rgb(*c->foreground));
        return reinterpret_cast<LRESULT>(brush(back));
    }
    case kRebuildMenu:
        if (menuDirty_) rebuildMenu();
        return 0;
    case kClosePending:
    case WM_CLOSE:
        if (busy_ > 0) {
            closePending_ = true;
            return 0;
        }
        if (!closed_) {
            closed_ = true;
            if (onClose) onClose();
        }
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        closed_ = true;
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void deliver(FormWindow& window, MSG& msg) {
    if (window.translateAccelerator(msg)) return;
    if (window.handle() && IsDialogMessageW(window.handle(), &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void runUntilClosed(FormWindow& window) {
    MSG msg;
    while (!window.closed() && GetMessageW(&msg, nullptr, 0, 0) > 0) deliver(window, msg);
}

}  // namespace ui::win32
