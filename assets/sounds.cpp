// SPDX-License-Identifier: MIT
// The two end-of-match jingles, synthesised from sine partials with simple
// envelopes: a bright rising arpeggio and chord for a win, a drooping brass
// phrase for a loss. 44.1 kHz mono, 16-bit PCM.
#include "sounds.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace gub::assets {

namespace {

constexpr int kRate = 44100;

struct Partial {
  double ratio;  // of the fundamental
  double amp;
  double decay;  // per second; 0 holds the level
};

double noteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Adds one note to the buffer. The note rises over `attack`, its partials die
// away at their own rates, and it fades out over `release` before its end.
void addNote(std::vector<double>& out, double start, double length, int midi, double amp,
             const std::vector<Partial>& partials, double attack, double release,
             double vibratoDepth = 0, double vibratoDelay = 0) {
  const double f0 = noteFrequency(midi);
  const int first = static_cast<int>(start * kRate);
  const int count = static_cast<int>(length * kRate);
  if (static_cast<int>(out.size()) < first + count) out.resize(first + count, 0.0);
  std::vector<double> phase(partials.size(), 0.0);
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double env = std::min(1.0, t / attack);
    const double left = length - t;
    if (left < release) env *= std::max(0.0, left / release);
    // Vibrato swells in after its delay.
    double bend = 1.0;
    if (vibratoDepth > 0 && t > vibratoDelay) {
      const double swell = std::min(1.0, (t - vibratoDelay) / 0.25);
      bend = 1.0 + vibratoDepth * swell * std::sin(2 * M_PI * 5.5 * (t - vibratoDelay));
    }
    double s = 0;
    for (size_t k = 0; k < partials.size(); ++k) {
      const Partial& p = partials[k];
      phase[k] += 2 * M_PI * f0 * p.ratio * bend / kRate;
      s += p.amp * std::exp(-p.decay * t) * std::sin(phase[k]);
    }
    out[first + i] += amp * env * s;
  }
}

std::vector<int16_t> toPcm(const std::vector<double>& samples, double peakLevel) {
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  const double gain = peak > 0 ? peakLevel * 32767.0 / peak : 0;
  std::vector<int16_t> pcm(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    pcm[i] = static_cast<int16_t>(std::lround(samples[i] * gain));
  }
  return pcm;
}

bool writeWav(const std::string& path, const std::vector<int16_t>& pcm) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  const sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
  const bool ok = written == static_cast<sf_count_t>(pcm.size());
  return sf_close(file) == 0 && ok;
}

// Bell-like mallet tone: the upper partials die away quickly.
const std::vector<Partial> kMallet = {
    {1.0, 1.0, 2.2}, {2.0, 0.45, 4.0}, {3.0, 0.22, 6.5}, {4.16, 0.12, 9.0}};

// Brass-like tone: a full, steady set of harmonics.
const std::vector<Partial> kBrass = {{1.0, 1.0, 0.4},  {2.0, 0.62, 0.5}, {3.0, 0.42, 0.6},
                                     {4.0, 0.26, 0.7}, {5.0, 0.16, 0.8}, {6.0, 0.09, 0.9},
                                     {7.0, 0.05, 1.0}};

}  // namespace

bool writeWinSound(const std::string& path) {
  std::vector<double> s;
  // G4 C5 E5 G5 climbing, then a held C major chord with sparkles on top.
  const int run[4] = {67, 72, 76, 79};
  for (int i = 0; i < 4; ++i) addNote(s, 0.1 * i, 0.42, run[i], 0.55, kMallet, 0.004, 0.08);
  for (int midi : {72, 76, 79, 84}) addNote(s, 0.44, 1.45, midi, 0.38, kMallet, 0.006, 0.45);
  const int sparkle[3] = {88, 91, 96};
  for (int i = 0; i < 3; ++i)
    addNote(s, 0.56 + 0.09 * i, 0.5, sparkle[i], 0.16, kMallet, 0.003, 0.2);
  s.resize(static_cast<size_t>(2.0 * kRate), 0.0);
  return writeWav(path, toPcm(s, 0.7));
}

bool writeLoseSound(const std::string& path) {
  std::vector<double> s;
  // Three short falling steps and a long, wavering last note.
  const int steps[3] = {67, 66, 65};
  for (int i = 0; i < 3; ++i) addNote(s, 0.4 * i, 0.36, steps[i], 0.5, kBrass, 0.03, 0.07);
  addNote(s, 1.2, 1.0, 64, 0.5, kBrass, 0.03, 0.35, 0.018, 0.15);
  s.resize(static_cast<size_t>(2.3 * kRate), 0.0);
  return writeWav(path, toPcm(s, 0.7));
}

}  // namespace gub::assets
