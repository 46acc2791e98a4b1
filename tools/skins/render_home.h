// The Home page's pictures: avatar, sub-menu entries and their highlights, milestone star, and the
// state pictures of the holdings list.

#pragma once

#include "SkinPaint.h"

namespace skins {

void addHomePictures(Painters& painters);

}  // namespace skins
