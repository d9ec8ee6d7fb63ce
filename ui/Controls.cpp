#include "ui/Controls.h"

#include <cctype>

namespace ui {

bool ListBox::removeAt(int index) {
    if (index < 0 || index >= count()) return false;
    items_.erase(items_.begin() + index);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
    notify();
    return true;
}

bool ListBox::select(int index) {
    if (index < 0 || index >= count()) return false;
    selected_ = index;
    notify();
    if (onClick) onClick();
    return true;
}

bool isFixedPitchFamily(const std::string& family) {
    auto same = [&](const char* name) {
        std::string a = family, b = name;
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
        return true;
    };
    return same("Lucida Console") || same("Courier New");
}

}  // namespace ui
