// SPDX-License-Identifier: MIT
// Keeps a compositing window manager from holding back the game's GL frames.
#pragma once

class wxTopLevelWindow;

namespace gub {

// Takes `window` out of the frame synchronisation that the toolkit offers a
// compositing window manager. Call before the window is first shown.
void leaveFrameSync(wxTopLevelWindow& window);

}  // namespace gub
