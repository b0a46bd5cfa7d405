// Music and effects on SDL2_mixer; MIDI goes through FluidSynth with the
// General MIDI soundfont from the distribution.
#include "shell/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cstring>

#include "render/regular_file.h"

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

// The mixer would open files by name itself and wait on a FIFO for ever: it
// gets a stream on a checked regular file instead, and frees it with the
// music or chunk. Null when there is no regular file of that name.
SDL_RWops* openSoundFile(const char* fileName) {
  std::FILE* file = openRegularStream(fileName, false);
  if (file == nullptr) return nullptr;
  SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
  if (stream == nullptr) std::fclose(file);
  return stream;
}

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
  SDL_RWops* stream = openSoundFile(fileName);
  if (stream == nullptr) return -1;
  music = Mix_LoadMUS_RW(stream, 1);
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
  // Anything but a regular file counts as missing, so the caller gives the
  // desktop's alert for it.
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
  if (audioOpen && chunk == nullptr && std::strlen(fileName) < sizeof(CachedEffect::name)) {
    chunk = Mix_LoadWAV_RW(stream, 1);  // closes the stream, also on failure
    stream = nullptr;
    if (chunk != nullptr && slot != nullptr) {
      std::strcpy(slot->name, fileName);
      slot->chunk = chunk;
    }
  }
  if (stream != nullptr) SDL_RWclose(stream);
  // With every cache slot taken the chunk can't be freed while it plays; it
  // is left to the process end. Only two names are ever played.
  if (audioOpen && chunk != nullptr) Mix_PlayChannel(-1, chunk, 0);
  return true;
}

}  // namespace gub
