// The Home page's pictures: avatar, sub-menu entries and their highlights, milestone star, and the
// state pictures of the holdings list.

#pragma once

#include <functional>

#include "SkinPaint.h"

namespace skins {

// Draws a sub-menu icon into the box in the colour given.
using SubMenuIcon = std::function<void(QPainter&, const QRectF&, const QColor&)>;

// An entry of a page's left sub-menu; the highlight shows the selected one in the chrome's colours.
QImage subMenuPicture(int w, int h, const QString& caption, const SubMenuIcon& icon, bool highlight);

// Adds a page's sub-menu entry `<form>_submnu<entry>` and its highlight `<form>_hil<number>`.
void addSubMenuEntry(Painters& painters, const QString& form, const QString& entry, int number,
                     const QString& caption, const SubMenuIcon& icon);

void addHomePictures(Painters& painters);

}  // namespace skins
