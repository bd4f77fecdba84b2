#include "window/qt/light_look.h"

namespace angoli {
namespace {

// Fusion builds its palette from the platform theme's: under a dark desktop
// (Qt's GTK theme with a dark GTK theme, qt6ct, KDE's) its buttons and
// option buttons turn dark on the window's fixed grey. These are its colours
// without one, as the window has always been drawn.
struct RoleColours {
  QPalette::ColorRole role;
  QRgb enabled;  // the active and the inactive group
  QRgb disabled;
};

constexpr RoleColours kLight[] = {
    {QPalette::WindowText, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xffefefef, 0xffefefef},
    {QPalette::Light, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xffefefef},
    {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, 0xff308cc6, 0xff919191},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::NoRole, 0xff000000, 0xff000000},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
};

}  // namespace

QPalette LightLook(const QColor& window) {
  QPalette look;
  for (const RoleColours& line : kLight) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
      look.setColor(group, line.role, QColor::fromRgba(line.enabled));
    look.setColor(QPalette::Disabled, line.role, QColor::fromRgba(line.disabled));
  }
  look.setColor(QPalette::Window, window);
  return look;
}

}  // namespace angoli
