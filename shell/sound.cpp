// SPDX-License-Identifier: MIT
// Music and effects on SDL2_mixer; MIDI goes through FluidSynth with the
// General MIDI soundfont from the distribution.
//
// The mixer and what it brings along (SDL, FluidSynth, the sound servers'
// client libraries, the decoders) are some forty shared libraries: linked
// to the program, they would all be loaded and relocated before its first
// frame, also with the sound off. They are opened instead when the sound is
// first wanted, and a system without them simply has no sound.
#include "shell/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstring>

#include "render/regular_file.h"

namespace gub {

namespace {

constexpr const char* SoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

// The functions of the two libraries that the game calls, found by name.
struct SoundLibrary {
  decltype(&SDL_SetHint) setHint;
  decltype(&SDL_InitSubSystem) initSubSystem;
  decltype(&SDL_QuitSubSystem) quitSubSystem;
  decltype(&SDL_RWFromFP) rwFromFp;
  decltype(&SDL_RWclose) rwClose;
  decltype(&Mix_SetSoundFonts) setSoundFonts;
  decltype(&Mix_Init) init;
  decltype(&Mix_Quit) quit;
  decltype(&Mix_OpenAudio) openAudio;
  decltype(&Mix_CloseAudio) closeAudio;
  decltype(&Mix_LoadMUS_RW) loadMusic;
  decltype(&Mix_FreeMusic) freeMusic;
  decltype(&Mix_PlayMusic) playMusic;
  decltype(&Mix_HaltMusic) haltMusic;
  decltype(&Mix_PlayingMusic) playingMusic;
  decltype(&Mix_LoadWAV_RW) loadWav;
  decltype(&Mix_FreeChunk) freeChunk;
  decltype(&Mix_PlayChannel) playChannel;
  decltype(&Mix_HaltChannel) haltChannel;
};

SoundLibrary sdl;

template <typename Function>
bool find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// Opens the libraries once; the handles stay open to the program's end (a
// library's threads may outlive its last call). False when either is
// missing or lacks a function.
bool loadSoundLibrary() {
  static const bool loaded = [] {
    // The mixer brings SDL itself along; SDL's own handle finds its names.
    void* mixer = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    void* base = mixer != nullptr ? dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (base == nullptr) return false;
    return find(base, "SDL_SetHint", sdl.setHint) &&
           find(base, "SDL_InitSubSystem", sdl.initSubSystem) &&
           find(base, "SDL_QuitSubSystem", sdl.quitSubSystem) &&
           find(base, "SDL_RWFromFP", sdl.rwFromFp) && find(base, "SDL_RWclose", sdl.rwClose) &&
           find(mixer, "Mix_SetSoundFonts", sdl.setSoundFonts) &&
           find(mixer, "Mix_Init", sdl.init) && find(mixer, "Mix_Quit", sdl.quit) &&
           find(mixer, "Mix_OpenAudio", sdl.openAudio) &&
           find(mixer, "Mix_CloseAudio", sdl.closeAudio) &&
           find(mixer, "Mix_LoadMUS_RW", sdl.loadMusic) &&
           find(mixer, "Mix_FreeMusic", sdl.freeMusic) &&
           find(mixer, "Mix_PlayMusic", sdl.playMusic) &&
           find(mixer, "Mix_HaltMusic", sdl.haltMusic) &&
           find(mixer, "Mix_PlayingMusic", sdl.playingMusic) &&
           find(mixer, "Mix_LoadWAV_RW", sdl.loadWav) &&
           find(mixer, "Mix_FreeChunk", sdl.freeChunk) &&
           find(mixer, "Mix_PlayChannel", sdl.playChannel) &&
           find(mixer, "Mix_HaltChannel", sdl.haltChannel);
  }();
  return loaded;
}

bool audioOpen = false;
Mix_Music* music = nullptr;

// The two effects are loaded on first use and kept, since a chunk must stay
// alive while a channel plays it.
struct CachedEffect {
  char name[64];
  Mix_Chunk* chunk;
};
CachedEffect effects[4] = {};

// The mixer would open files by name itself and wait on a FIFO for ever: it
// gets a stream on a checked regular file instead, and frees it with the
// music or chunk. Null when there is no regular file of that name.
SDL_RWops* openSoundFile(const char* fileName) {
  std::FILE* file = openRegularStream(fileName, false);
  if (file == nullptr) return nullptr;
  SDL_RWops* stream = sdl.rwFromFp(file, SDL_TRUE);
  if (stream == nullptr) std::fclose(file);
  return stream;
}

}  // namespace

bool openAudio() {
  if (audioOpen) return true;
  if (!loadSoundLibrary()) return false;
  // SDL would turn SIGINT and SIGTERM into quit events that nobody reads, so
  // Ctrl+C and kill would leave the game running (and holding its lock)
  // whenever the sound is on. The default handlers end the process.
  sdl.setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (sdl.initSubSystem(SDL_INIT_AUDIO) != 0) return false;
  for (const char* font : SoundFonts) {
    if (access(font, R_OK) == 0) {
      sdl.setSoundFonts(font);
      break;
    }
  }
  sdl.init(MIX_INIT_MID);
  if (sdl.openAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
    sdl.quit();
    sdl.quitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  audioOpen = true;
  return true;
}

void shutdownAudio() {
  if (!audioOpen) return;
  closeMusic();
  sdl.haltChannel(-1);
  for (CachedEffect& effect : effects) {
    if (effect.chunk != nullptr) sdl.freeChunk(effect.chunk);
    effect = CachedEffect{};
  }
  sdl.closeAudio();
  sdl.quit();
  sdl.quitSubSystem(SDL_INIT_AUDIO);
  audioOpen = false;
}

int startMusic(const char* fileName) {
  if (!audioOpen) return -1;
  closeMusic();
  SDL_RWops* stream = openSoundFile(fileName);
  if (stream == nullptr) return -1;
  music = sdl.loadMusic(stream, 1);
  if (music == nullptr) return -1;
  // The mixer loops the piece without a gap; the poll below only covers a
  // piece that ended anyway.
  if (sdl.playMusic(music, -1) != 0) {
    closeMusic();
    return -1;
  }
  return 0;
}

void stopMusic() {
  if (!audioOpen) return;
  sdl.haltMusic();
  closeMusic();
}

void pollMusic() {
  if (!audioOpen || music == nullptr) return;
  if (sdl.playingMusic() == 0) startMusic(MusicFileName);
}

void closeMusic() {
  if (music == nullptr) return;
  sdl.haltMusic();
  sdl.freeMusic(music);
  music = nullptr;
}

bool playEffect(const char* fileName) {
  // Anything but a regular file counts as missing, so the caller gives the
  // desktop's alert for it. Without an audio device that is all there is
  // to do.
  if (!audioOpen) {
    std::FILE* file = openRegularStream(fileName, false);
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
  }
  SDL_RWops* stream = openSoundFile(fileName);
  if (stream == nullptr) return false;
  Mix_Chunk* chunk = nullptr;
  CachedEffect* slot = nullptr;
  for (CachedEffect& effect : effects) {
    if (effect.chunk != nullptr && std::strcmp(effect.name, fileName) == 0) {
      chunk = effect.chunk;
      break;
    }
    if (effect.chunk == nullptr && slot == nullptr) slot = &effect;
  }
  if (chunk == nullptr && std::strlen(fileName) < sizeof(CachedEffect::name)) {
    chunk = sdl.loadWav(stream, 1);  // closes the stream, also on failure
    stream = nullptr;
    if (chunk != nullptr && slot != nullptr) {
      std::strcpy(slot->name, fileName);
      slot->chunk = chunk;
    }
  }
  if (stream != nullptr) sdl.rwClose(stream);
  // With every cache slot taken the chunk can't be freed while it plays; it
  // is left to the process end. Only two names are ever played.
  if (chunk != nullptr) sdl.playChannel(-1, chunk, 0);
  return true;
}

}  // namespace gub
