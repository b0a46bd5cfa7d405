// SPDX-License-Identifier: MIT
// The settings file, the music and the two jingles of the run-time folder.
#include <gtest/gtest.h>
#include <smf.h>
#include <sndfile.h>

#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "runtime_files.h"

namespace gub::asset_tests {
namespace {

TEST(SettingsFile, HoldsTheSevenDefaultFieldsLittleEndian) {
  const std::vector<uint8_t> bytes = readFile(runtimePath("gub.cfg"));
  // reserved 0, limit 1000, sound on, "declare except sheep" off, 1000 ms,
  // "opposite is friend" off, one deck.
  const std::vector<uint8_t> expected = {0, 0, 0,    0, 0xE8, 3, 0, 0, 1, 0, 0, 0, 0, 0,
                                         0, 0, 0xE8, 3, 0,    0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(bytes, expected);
}

struct SmfDeleter {
  void operator()(smf_t* s) const { smf_delete(s); }
};

TEST(Music, ParsesAndLastsOneToThreeMinutesForGeneralMidiInstruments) {
  std::unique_ptr<smf_t, SmfDeleter> smf(smf_load(runtimePath("gub.mid").c_str()));
  ASSERT_NE(smf, nullptr);
  const double seconds = smf_get_length_seconds(smf.get());
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 180.0);

  std::set<int> programmedChannels, playingChannels;
  std::map<std::pair<int, int>, int> sounding;  // (channel, key) -> open note-ons
  int notes = 0;
  smf_event_t* event;
  while ((event = smf_get_next_event(smf.get())) != nullptr) {
    if (smf_event_is_metadata(event) || event->midi_buffer_length < 2) continue;
    const int status = event->midi_buffer[0] & 0xF0;
    const int channel = event->midi_buffer[0] & 0x0F;
    if (status == 0xC0) programmedChannels.insert(channel);
    if (event->midi_buffer_length < 3) continue;
    const int key = event->midi_buffer[1];
    const bool on = status == 0x90 && event->midi_buffer[2] > 0;
    const bool off = status == 0x80 || (status == 0x90 && event->midi_buffer[2] == 0);
    if (on) {
      ++notes;
      playingChannels.insert(channel);
      ++sounding[{channel, key}];
    } else if (off) {
      --sounding[{channel, key}];
    }
  }
  EXPECT_GT(notes, 500) << "a piece, not a few notes";
  EXPECT_GE(playingChannels.size(), 4u) << "melody, harmony, bass and drums";
  // Every melodic channel picks its instrument before it plays.
  for (int ch : playingChannels) {
    if (ch != 9) {
      EXPECT_TRUE(programmedChannels.count(ch)) << "channel " << ch;
    }
  }
  // Nothing hangs over the end: the loop restarts on silence.
  for (const auto& [key, open] : sounding) {
    EXPECT_EQ(open, 0) << "channel " << key.first << " key " << key.second;
  }
}

TEST(Music, EveryTrackEndsTogetherOnAWholeBar) {
  std::unique_ptr<smf_t, SmfDeleter> smf(smf_load(runtimePath("gub.mid").c_str()));
  ASSERT_NE(smf, nullptr);
  ASSERT_GE(smf->number_of_tracks, 2);
  const int length = smf_get_length_pulses(smf.get());
  for (int t = 1; t <= smf->number_of_tracks; ++t) {
    smf_track_t* track = smf_get_track_by_number(smf.get(), t);
    ASSERT_NE(track, nullptr);
    smf_event_t* last = smf_track_get_last_event(track);
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(smf_event_is_eot(last));
    EXPECT_EQ(last->time_pulses, length) << "track " << t;
  }
  // In 4/4 a bar is four quarter notes.
  EXPECT_EQ(length % (4 * smf->ppqn), 0);
}

struct Wave {
  SF_INFO info{};
  std::vector<short> samples;
};

Wave readWave(const std::string& name) {
  Wave w;
  SNDFILE* file = sf_open(runtimePath(name).c_str(), SFM_READ, &w.info);
  if (file == nullptr) return w;
  w.samples.resize(static_cast<size_t>(w.info.frames * w.info.channels));
  w.samples.resize(static_cast<size_t>(
      sf_read_short(file, w.samples.data(), static_cast<sf_count_t>(w.samples.size()))));
  sf_close(file);
  return w;
}

TEST(Jingles, AreShortAudible16BitPcmWavesThatStartAndEndQuietly) {
  for (const char* name : {"win.wav", "lose.wav"}) {
    SCOPED_TRACE(name);
    const Wave w = readWave(name);
    ASSERT_GT(w.info.samplerate, 0) << "not readable";
    EXPECT_EQ(w.info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
    EXPECT_EQ(w.info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16);
    const double seconds = static_cast<double>(w.info.frames) / w.info.samplerate;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LE(seconds, 3.0);
    ASSERT_EQ(w.samples.size(), static_cast<size_t>(w.info.frames * w.info.channels));

    int peak = 0;
    double energy = 0;
    for (short s : w.samples) {
      peak = std::max(peak, std::abs(static_cast<int>(s)));
      energy += static_cast<double>(s) * s;
    }
    const double rms = std::sqrt(energy / w.samples.size());
    EXPECT_GT(peak, 32767 / 4) << "loud enough to hear";
    EXPECT_LT(peak, 32767) << "not clipped";
    EXPECT_GT(rms, 32767 * 0.03);
    // No click: the first and last milliseconds are near silence.
    const size_t edge = static_cast<size_t>(w.info.samplerate / 1000 * w.info.channels);
    for (size_t i = 0; i < edge; ++i) {
      EXPECT_LT(std::abs(w.samples[i]), 3000) << "start " << i;
      EXPECT_LT(std::abs(w.samples[w.samples.size() - 1 - i]), 300) << "end " << i;
    }
  }
}

TEST(Jingles, WinAndLoseSoundDifferent) {
  const Wave win = readWave("win.wav");
  const Wave lose = readWave("lose.wav");
  ASSERT_FALSE(win.samples.empty());
  ASSERT_FALSE(lose.samples.empty());
  // The win rises and the lose falls: compare where each spends its energy in
  // zero crossings (a rough pitch) early and late.
  auto crossingsPerSecond = [](const Wave& w, double from, double to) {
    const size_t a = static_cast<size_t>(from * w.info.samplerate);
    const size_t b = std::min(w.samples.size(), static_cast<size_t>(to * w.info.samplerate));
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i) {
      if ((w.samples[i - 1] < 0) != (w.samples[i] < 0)) ++crossings;
    }
    return crossings / (to - from);
  };
  EXPECT_GT(crossingsPerSecond(win, 0.3, 0.4), crossingsPerSecond(win, 0.0, 0.1));
  EXPECT_LT(crossingsPerSecond(lose, 1.4, 1.6), crossingsPerSecond(lose, 0.05, 0.3));
}

}  // namespace
}  // namespace gub::asset_tests
