// SPDX-License-Identifier: MIT
// One PNG showing every generated picture with its file name, for review.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

namespace gub::assets {

// Lays the pictures out at their own size, each captioned with its file name,
// and adds the card faces again at the sizes a table shows them. False when the
// PNG cannot be written.
bool writeContactSheet(const std::vector<const Picture*>& pictures, const std::string& path);

}  // namespace gub::assets
