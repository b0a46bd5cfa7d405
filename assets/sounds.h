// SPDX-License-Identifier: MIT
// The end-of-match jingles, "win.wav" and "lose.wav".
#pragma once

#include <string>

namespace gub::assets {

// Synthesises a jingle and writes it as 16-bit PCM WAV. False on failure.
bool writeWinSound(const std::string& path);
bool writeLoseSound(const std::string& path);

}  // namespace gub::assets
