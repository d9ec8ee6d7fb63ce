// What the binding tells assistive technology beyond the widgets' own
// accessible interfaces: status lines that announce their changes, fields
// that are read-only, and the descriptions of the pictures.
#pragma once

#include <string>

#include <QString>

class QLabel;

namespace ui::qt {

// Lets the binding present its status lines and read-only fields; once,
// before the first window is built.
void installAccessibility();

// Makes `label` a status line: presented with the status-bar role, its
// name is its text, and each new text goes out as a change of that name
// (QLabel::setText sends the event).
void makeStatusLine(QLabel* label);

// A short description of a bundled picture, or of a picture file.
QString pictureDescription(const std::string& resource);

}  // namespace ui::qt
