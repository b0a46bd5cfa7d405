// SPDX-License-Identifier: MIT
// The table texture and the flat overlay pictures of the game screen and the
// title screen.
#pragma once

#include <vector>

#include "picture.h"

namespace gub::assets {

// "bg/table.bg": 1024 × 1024 green baize, a power of two as textures need.
Picture makeTablePicture();

// The 29 overlay pictures of "bg/", in the order the game loads them.
std::vector<Picture> makeOverlayPictures();

}  // namespace gub::assets
