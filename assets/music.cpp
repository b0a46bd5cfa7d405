// SPDX-License-Identifier: MIT
// The background music: a gentle piece in C major at 96 beats a minute, forty
// bars (100 seconds) for flute, vibraphone, nylon guitar, slow strings, bass
// and light drums. The last bar rests on G7, so when the game starts the piece
// again its first chord, C, answers it and the loop closes without a seam.
#include "music.h"

#include <smf.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace gub::assets {

namespace {

constexpr int kPpqn = 480;
constexpr int kEighth = kPpqn / 2;
constexpr int kBar = 4 * kPpqn;
constexpr int kTempoUsPerQuarter = 625000;  // 96 bpm

// Channels and their General MIDI programs (numbered from 0).
enum Channel { Flute = 0, Guitar = 1, Bass = 2, Strings = 3, Vibes = 4, Drums = 9 };
struct Voice {
  int channel, program, volume, pan, reverb;
  const char* name;
};
constexpr Voice kVoices[] = {
    {Flute, 73, 100, 64, 64, "Flute"},        {Vibes, 11, 92, 76, 64, "Vibraphone"},
    {Guitar, 24, 84, 44, 56, "Nylon guitar"}, {Strings, 49, 70, 86, 72, "Slow strings"},
    {Bass, 32, 100, 60, 36, "Acoustic bass"}, {Drums, 0, 64, 64, 40, "Drums"}};

// Percussion keys of the General MIDI drum map.
constexpr int kKick = 36, kSideStick = 37, kClosedHat = 42, kPedalHat = 44;

struct Note {
  int start, length, channel, pitch, velocity;
};

// "E5", "F#5", "Bb4" → MIDI number (C4 is 60).
int parsePitch(const std::string& name) {
  static const int kLetter[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name.at(0))));
  if (letter < 'A' || letter > 'G') throw std::runtime_error("bad note " + name);
  int pc = kLetter[letter - 'A'];
  size_t i = 1;
  if (name.at(i) == '#') {
    ++pc;
    ++i;
  } else if (name.at(i) == 'b') {
    --pc;
    ++i;
  }
  const int octave = std::stoi(name.substr(i));
  return 12 * (octave + 1) + pc;
}

// A melody line: notes as "PITCH:EIGHTHS" or "r:EIGHTHS", bars split by "|",
// each bar exactly eight eighths long.
std::vector<Note> parseMelody(const std::string& text, int firstBar, int channel, int velocity,
                              int transpose = 0) {
  std::vector<Note> notes;
  std::istringstream in(text);
  std::string token;
  int bar = firstBar, inBar = 0, index = 0;
  while (in >> token) {
    if (token == "|") {
      if (inBar != 8) throw std::runtime_error("melody bar of wrong length");
      ++bar;
      inBar = 0;
      continue;
    }
    const size_t colon = token.find(':');
    const std::string what = token.substr(0, colon);
    const int eighths = std::stoi(token.substr(colon + 1));
    if (what != "r") {
      // Strong beats a little louder, with a small fixed waver so the line breathes.
      const int accent = (inBar % 4 == 0) ? 6 : 0;
      const int waver = (index * 5) % 7 - 3;
      notes.push_back({bar * kBar + inBar * kEighth, eighths * kEighth - 12, channel,
                       parsePitch(what) + transpose, velocity + accent + waver});
    }
    inBar += eighths;
    ++index;
  }
  if (inBar != 8) throw std::runtime_error("melody bar of wrong length");
  return notes;
}

struct Chord {
  int start, length;
  int root;                    // pitch class
  std::vector<int> intervals;  // above the root
};

// Chord symbols ("C", "Am", "G7"), bars split by "|"; two symbols in a bar
// take half a bar each.
std::vector<Chord> parseChords(const std::string& text, int firstBar) {
  std::vector<Chord> chords;
  std::istringstream bars(text);
  std::string barText;
  int bar = firstBar;
  while (std::getline(bars, barText, '|')) {
    std::istringstream in(barText);
    std::vector<std::string> symbols;
    std::string s;
    while (in >> s) symbols.push_back(s);
    if (symbols.empty()) continue;
    const int length = kBar / static_cast<int>(symbols.size());
    for (size_t i = 0; i < symbols.size(); ++i) {
      const std::string& sym = symbols[i];
      Chord c;
      c.start = bar * kBar + static_cast<int>(i) * length;
      c.length = length;
      c.root = parsePitch(sym.substr(0, 1) + "0") % 12;
      const bool minor = sym.find('m') != std::string::npos;
      c.intervals = {0, minor ? 3 : 4, 7};
      if (sym.find('7') != std::string::npos) c.intervals.push_back(10);
      chords.push_back(c);
    }
    ++bar;
  }
  return chords;
}

// Pitch of pitch class pc in [low, low + 11].
int inRange(int pc, int low) { return low + ((pc - low) % 12 + 12) % 12; }

struct Arrangement {
  bool strings = true, guitar = true, bass = true, kick = true, sideStick = false;
  int stringVelocity = 46;
};

void accompany(const std::vector<Chord>& chords, const Arrangement& how, std::vector<Note>& notes) {
  for (const Chord& c : chords) {
    const int root3 = inRange(c.root, 48);
    const int fifth = root3 + 7;
    const int third = root3 + c.intervals[1];
    const int top = c.intervals.size() > 3 ? root3 + c.intervals[3] : root3 + 12;
    if (how.strings) {
      for (int iv : c.intervals) {
        notes.push_back(
            {c.start, c.length - 8, Strings, inRange((c.root + iv) % 12, 55), how.stringVelocity});
      }
    }
    if (how.guitar) {
      // A rolling eighth-note figure over the chord, left to ring a little.
      const int figure[8] = {root3, fifth, top, third + 12, fifth + 12, third + 12, top, fifth};
      for (int t = 0; t < c.length; t += kEighth) {
        const int step = ((c.start + t) % kBar) / kEighth;
        const int length = std::min(2 * kEighth, c.length - t) - 8;
        const int velocity = (step % 2 == 0 ? 58 : 50) + (step == 0 ? 6 : 0);
        notes.push_back({c.start + t, length, Guitar, figure[step], velocity});
      }
    }
    if (how.bass) {
      const int root2 = inRange(c.root, 36);
      if (c.length == kBar) {
        notes.push_back({c.start, 3 * kEighth - 20, Bass, root2, 84});
        notes.push_back({c.start + 3 * kEighth, kEighth - 20, Bass, root2, 70});
        notes.push_back({c.start + 4 * kEighth, 2 * kEighth - 20, Bass, root2 + 7, 78});
        notes.push_back({c.start + 6 * kEighth, 2 * kEighth - 20, Bass, root2 + 12, 72});
      } else {
        notes.push_back({c.start, 2 * kEighth - 20, Bass, root2, 82});
        notes.push_back({c.start + 2 * kEighth, 2 * kEighth - 20, Bass, root2 + 7, 72});
      }
    }
  }
}

void drums(int firstBar, int bars, const Arrangement& how, std::vector<Note>& notes) {
  for (int b = firstBar; b < firstBar + bars; ++b) {
    for (int e = 0; e < 8; ++e) {
      const int t = b * kBar + e * kEighth;
      notes.push_back({t, kEighth / 2, Drums, kClosedHat, e % 2 == 0 ? 40 : 28});
      if (how.kick && (e == 0 || e == 4)) notes.push_back({t, kEighth / 2, Drums, kKick, 56});
      if (how.kick && e == 7) notes.push_back({t, kEighth / 2, Drums, kKick, 34});
      if (how.sideStick && (e == 2 || e == 6)) {
        notes.push_back({t, kEighth / 2, Drums, kSideStick, 40});
      }
      if (!how.kick && (e == 2 || e == 6)) notes.push_back({t, kEighth / 2, Drums, kPedalHat, 30});
    }
  }
}

constexpr int kBars = 40;

std::vector<Note> compose() {
  const char* const melodyA =
      "E5:3 D5:1 C5:2 E5:2 | A5:4 G5:2 E5:2 | F5:3 E5:1 D5:2 C5:2 | D5:6 r:2 | "
      "E5:3 D5:1 C5:2 E5:2 | A5:3 B5:1 C6:2 A5:2 | A5:2 F5:2 E5:2 D5:2 | G5:6 r:2";
  const char* const chordsA = "C | Am | F | G | C | Am | Dm | G";
  const char* const melodyA2 =
      "E5:3 D5:1 C5:2 E5:2 | A5:4 G5:2 E5:2 | F5:3 A5:1 G5:2 F5:2 | E5:2 D5:2 B4:2 D5:2 | "
      "C5:3 E5:1 G5:2 C6:2 | B5:2 A5:2 E5:4 | F5:2 A5:2 G5:2 D5:2 | C5:6 r:2";
  const char* const chordsA2 = "C | Am | F | G | C | Am | F G | C";
  const char* const melodyB =
      "A5:3 G5:1 F5:2 A5:2 | B5:3 A5:1 G5:2 D5:2 | G5:3 F#5:1 E5:2 B4:2 | C5:4 E5:2 A5:2 | "
      "F5:3 E5:1 D5:2 F5:2 | G5:2 B5:2 D6:2 B5:2 | C6:4 G5:2 E5:2 | F5:2 D5:2 B4:2 D5:2";
  const char* const chordsB = "F | G | Em | Am | Dm | G | C | G7";
  const char* const melodyC =
      "C6:6 A5:2 | B5:6 G5:2 | G5:4 E5:4 | A5:8 | F5:4 A5:4 | G5:4 B5:4 | A5:4 C6:4 | "
      "D5:2 G5:2 F5:4";
  const char* const chordsC = "F | G | Em | Am | Dm | Em | F | G7";

  std::vector<Note> notes;
  auto add = [&notes](const std::vector<Note>& more) {
    notes.insert(notes.end(), more.begin(), more.end());
  };

  // A: the tune over guitar, strings, bass and a soft beat.
  Arrangement quiet;
  add(parseMelody(melodyA, 0, Flute, 80));
  accompany(parseChords(chordsA, 0), quiet, notes);
  drums(0, 8, quiet, notes);

  // A': the tune comes home; the side stick joins.
  Arrangement full;
  full.sideStick = true;
  add(parseMelody(melodyA2, 8, Flute, 82));
  accompany(parseChords(chordsA2, 8), full, notes);
  drums(8, 8, full, notes);

  // B: the middle eight climbs, strings a little fuller.
  Arrangement lifted = full;
  lifted.stringVelocity = 56;
  add(parseMelody(melodyB, 16, Flute, 84));
  accompany(parseChords(chordsB, 16), lifted, notes);
  drums(16, 8, lifted, notes);

  // A'': the tune again with the vibraphone an octave below.
  add(parseMelody(melodyA2, 24, Flute, 82));
  add(parseMelody(melodyA2, 24, Vibes, 60, -12));
  accompany(parseChords(chordsA2, 24), full, notes);
  drums(24, 8, full, notes);

  // Coda: the vibraphone alone sings long notes, the beat thins to hats, and
  // the last bar's G7 leads back to the opening C.
  Arrangement coda;
  coda.kick = false;
  coda.stringVelocity = 50;
  add(parseMelody(melodyC, 32, Vibes, 76));
  accompany(parseChords(chordsC, 32), coda, notes);
  drums(32, 8, coda, notes);
  return notes;
}

struct Event {
  int tick;
  int order;  // at one tick: notes off, then set-up, then notes on
  std::vector<unsigned char> bytes;
};

void addEvents(smf_track_t* track, std::vector<Event> events) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  for (Event& e : events) {
    smf_event_t* event =
        smf_event_new_from_pointer(e.bytes.data(), static_cast<int>(e.bytes.size()));
    if (event == nullptr) throw std::runtime_error("cannot make a MIDI event");
    smf_track_add_event_pulses(track, event, e.tick);
  }
}

Event meta(int type, const std::vector<unsigned char>& data) {
  Event e{0, 1, {}};
  e.bytes.reserve(3 + data.size());
  e.bytes.push_back(0xFF);
  e.bytes.push_back(static_cast<unsigned char>(type));
  e.bytes.push_back(static_cast<unsigned char>(data.size()));
  for (unsigned char c : data) e.bytes.push_back(c);
  return e;
}

Event textMeta(int type, const std::string& text) {
  return meta(type, std::vector<unsigned char>(text.begin(), text.end()));
}

}  // namespace

bool writeMusic(const std::string& path) {
  const std::vector<Note> notes = compose();
  const int end = kBars * kBar;

  smf_t* smf = smf_new();
  if (smf == nullptr) return false;
  bool ok = smf_set_ppqn(smf, kPpqn) == 0;

  // The conductor track: name, tempo and metre.
  smf_track_t* conductor = smf_track_new();
  smf_add_track(smf, conductor);
  addEvents(conductor, {textMeta(0x03, "Gub Cards"),
                        meta(0x51, {kTempoUsPerQuarter >> 16, (kTempoUsPerQuarter >> 8) & 0xFF,
                                    kTempoUsPerQuarter & 0xFF}),
                        meta(0x58, {4, 2, 24, 8})});
  ok = smf_track_add_eot_pulses(conductor, end) == 0 && ok;

  for (const Voice& voice : kVoices) {
    smf_track_t* track = smf_track_new();
    smf_add_track(smf, track);
    const auto ch = static_cast<unsigned char>(voice.channel);
    std::vector<Event> events = {
        textMeta(0x03, voice.name),
        {0, 1, {static_cast<unsigned char>(0xC0 | ch), static_cast<unsigned char>(voice.program)}},
        {0,
         1,
         {static_cast<unsigned char>(0xB0 | ch), 7, static_cast<unsigned char>(voice.volume)}},
        {0, 1, {static_cast<unsigned char>(0xB0 | ch), 10, static_cast<unsigned char>(voice.pan)}},
        {0,
         1,
         {static_cast<unsigned char>(0xB0 | ch), 91, static_cast<unsigned char>(voice.reverb)}},
    };
    for (const Note& n : notes) {
      if (n.channel != voice.channel) continue;
      const auto pitch = static_cast<unsigned char>(n.pitch);
      const auto velocity = static_cast<unsigned char>(std::clamp(n.velocity, 1, 127));
      events.push_back({n.start, 2, {static_cast<unsigned char>(0x90 | ch), pitch, velocity}});
      events.push_back({std::min(n.start + n.length, end),
                        0,
                        {static_cast<unsigned char>(0x80 | ch), pitch, 64}});
    }
    addEvents(track, std::move(events));
    ok = smf_track_add_eot_pulses(track, end) == 0 && ok;
  }

  ok = ok && smf_save(smf, path.c_str()) == 0;
  smf_delete(smf);
  return ok;
}

}  // namespace gub::assets
