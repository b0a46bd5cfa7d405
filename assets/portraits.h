// SPDX-License-Identifier: MIT
// Framed portraits of the three computer players.
#pragma once

#include <string>

#include "picture.h"

namespace gub::assets {

enum class Portrait { East, North, West };

// 112 × 140: narrow enough to sit beside the east and west totals and short
// enough to stay under them (the totals stand 158 design pixels above the
// pictures' lower edge).
constexpr int kPortraitWidth = 112;
constexpr int kPortraitHeight = 140;

Picture portraitPicture(const std::string& file, Portrait who);

}  // namespace gub::assets
