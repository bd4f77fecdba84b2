#pragma once
// The window's fixed light look: the colours its controls are drawn with,
// whatever the desktop's palette or platform theme.

#include <QPalette>

namespace angoli {

// The light palette of Qt's Fusion style as it is without a desktop theme,
// every role of every group set, with `window` behind the controls:
//   LightLook(QColor(192, 192, 192)).color(QPalette::Button)    -> #efefef
//   LightLook(QColor(192, 192, 192)).color(QPalette::Disabled, QPalette::Text) -> #bebebe
QPalette LightLook(const QColor& window);

}  // namespace angoli
