#include "ui/Controls.h"

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

}  // namespace ui
