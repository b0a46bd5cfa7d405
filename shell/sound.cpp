// Music and effects on SDL2_mixer; MIDI goes through FluidSynth with the
// General MIDI soundfont from the distribution.
#include "shell/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cstring>

namespace gub {

namespace {

constexpr const char* SoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

bool audioOpen = false;
Mix_Music* music = nullptr;

// The two effects are loaded on first use and kept, since a chunk must stay
// alive while a channel plays it.
struct CachedEffect {
  char name[64];
  Mix_Chunk* chunk;
};
CachedEffect effects[4] = {};

}  // namespace

bool openAudio() {
  if (audioOpen) return true;
  // SDL would turn SIGINT and SIGTERM into quit events that nobody reads, so
  // Ctrl+C and kill would leave the game running (and holding its lock)
  // whenever the sound is on. The default handlers end the process.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  for (const char* font : SoundFonts) {
    if (access(font, R_OK) == 0) {
      Mix_SetSoundFonts(font);
      break;
    }
  }
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  audioOpen = true;
  return true;
}

void shutdownAudio() {
  if (!audioOpen) return;
  closeMusic();
  Mix_HaltChannel(-1);
  for (CachedEffect& effect : effects) {
    if (effect.chunk != nullptr) Mix_FreeChunk(effect.chunk);
    effect = CachedEffect{};
  }
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioOpen = false;
}

int startMusic(const char* fileName) {
  if (!audioOpen) return -1;
  closeMusic();
  music = Mix_LoadMUS(fileName);
  if (music == nullptr) return -1;
  // The mixer loops the piece without a gap; the poll below only covers a
  // piece that ended anyway.
  if (Mix_PlayMusic(music, -1) != 0) {
    closeMusic();
    return -1;
  }
  return 0;
}

void stopMusic() {
  if (!audioOpen) return;
  Mix_HaltMusic();
  closeMusic();
}

void pollMusic() {
  if (!audioOpen || music == nullptr) return;
  if (Mix_PlayingMusic() == 0) startMusic(MusicFileName);
}

void closeMusic() {
  if (music == nullptr) return;
  Mix_HaltMusic();
  Mix_FreeMusic(music);
  music = nullptr;
}

bool playEffect(const char* fileName) {
  if (access(fileName, F_OK) != 0) return false;
  if (!audioOpen) return true;
  Mix_Chunk* chunk = nullptr;
  CachedEffect* slot = nullptr;
  for (CachedEffect& effect : effects) {
    if (effect.chunk != nullptr && std::strcmp(effect.name, fileName) == 0) {
      chunk = effect.chunk;
      break;
    }
    if (effect.chunk == nullptr && slot == nullptr) slot = &effect;
  }
  if (chunk == nullptr) {
    if (std::strlen(fileName) >= sizeof(CachedEffect::name)) return true;
    chunk = Mix_LoadWAV(fileName);
    if (chunk == nullptr) return true;
    if (slot != nullptr) {
      std::strcpy(slot->name, fileName);
      slot->chunk = chunk;
    }
  }
  Mix_PlayChannel(-1, chunk, 0);
  // With every cache slot taken the chunk can't be freed while it plays; it
  // is left to the process end. Only two names are ever played.
  return true;
}

}  // namespace gub
