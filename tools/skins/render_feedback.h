// The feedback form's background.

#pragma once

#include "SkinPaint.h"

namespace skins {

void addFeedbackPictures(Painters& painters);

}  // namespace skins
