// SPDX-License-Identifier: MIT
// The background music, "gub.mid".
#pragma once

#include <string>

namespace gub::assets {

// Composes the piece and writes it as a standard MIDI file. False on failure.
bool writeMusic(const std::string& path);

}  // namespace gub::assets
