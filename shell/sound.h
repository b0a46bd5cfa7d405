// SPDX-License-Identifier: MIT
// Background music and the end-of-match sounds on SDL2_mixer. Every failure is
// silent: no audio device, a missing file or a file that won't play leaves the
// game running without sound.
#pragma once

namespace gub {

inline constexpr const char* MusicFileName = "gub.mid";

// Opens the audio device once at start-up; false when there is none.
bool openAudio();
// Closes the device at program end (after closeMusic).
void shutdownAudio();

// Opens the music file and plays it from its beginning; 0 on success, else a
// nonzero error code that callers are free to ignore.
int startMusic(const char* fileName = MusicFileName);
// Stops the music at once and closes it.
void stopMusic();
// Restarts the music when it has ended (called by the 100 ms timer).
void pollMusic();
// Closes the music whatever its state.
void closeMusic();

// Starts a wave file without waiting for it. False only when the file does
// not exist, so that the caller can give the desktop's alert instead.
bool playEffect(const char* fileName);

}  // namespace gub
