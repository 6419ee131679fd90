#pragma once
// The program's icon: one SVG drawing (a calculator showing a hexadecimal
// number), embedded as the resource ":/orvane/orvane.svg" and installed as
// the desktop entry's icon. Drawn with Qt SVG, so no image plug-in is needed.
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace orvane::ui {

// The resource path of the drawing.
inline constexpr const char* kProgramIconResource = ":/orvane/orvane.svg";

// The icon, drawn in each size when that size is first asked for; an empty
// icon when the drawing cannot be read.
QIcon ProgramIcon();

// The drawing as a square picture of `pixels` pixels, transparent around it.
QPixmap ProgramPixmap(int pixels);

// The about box's picture down its left side: a blue gradient with the icon
// at the top and a column of bits below it.
QPixmap SidePicture(QSize size);

}  // namespace orvane::ui
