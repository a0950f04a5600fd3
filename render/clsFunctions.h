#pragma once

#include "SpriteSurface.h"

#include <QString>

namespace clsFunctions {

// Loads the BMP at `path` into a new sprite surface. Never fails and never reports: a file
// that is missing, empty, cut short or not a picture gives a surface without a picture.
SpriteSurface LoadSpriteDC(const QString& path);

} // namespace clsFunctions
