#pragma once

#include <cstdint>
#include <vector>

#include "tools/data/SourceDocument.h"
#include "tools/datawriter/ByteWriter.h"

namespace trellin {

// The builder's small synthesiser, for the sound effects and the music: voices of one
// oscillator (or noise) through an envelope and a filter, added into sample buffers. Everything
// is computed in a fixed order from the sources alone, so the same sources give the same
// samples on every build.

enum class Wave { SINE, TRIANGLE, SQUARE, SAW, NOISE };
enum class Filter { NONE, LOWPASS, BANDPASS, HIGHPASS };

// How a voice sounds, whatever it plays.
struct VoiceShape {
    Wave wave = Wave::SINE;
    float gain = 1.0f;
    // Envelope (seconds; sustain is a level): a linear rise, a fall towards the sustain level
    // with the decay as time constant (none when 0), held until the note ends, then a linear
    // fade over the release.
    float attack = 0.005f;
    float decay = 0.0f;
    float sustain = 1.0f;
    float release = 0.01f;
    Filter filter = Filter::NONE;
    float cutoff[2] = {20000.0f, 20000.0f};  // Hz at the note's start and at its end
    float resonance = 0.707f;
    float vibratoRate = 0.0f;   // Hz
    float vibratoDepth = 0.0f;  // semitones
    int unison = 1;             // oscillators per voice
    float detune = 0.0f;        // cents between the outermost unison oscillators
    float bend = 0.0f;          // semitones above the pitch at the start, gone after bendTime
    float bendTime = 0.0f;
};

// One voice played: from start for held seconds (then its release), its pitch sweeping from
// pitch[0] to pitch[1] (Hz) across the held time. For noise the pitch is the rate at which
// the noise takes new values (the higher, the brighter).
struct Note {
    double start = 0.0;
    double held = 0.0;
    float pitch[2] = {440.0f, 440.0f};
    float gain = 1.0f;
    uint32_t seed = 1;  // the noise's sequence
};

// Seconds from a note's start to its silence.
inline double noteLength(const VoiceShape& shape, const Note& note) {
    return note.held + shape.release;
}

// Adds the note into out at the given sample rate; samples past the end of out are dropped.
void renderNote(const VoiceShape& shape, const Note& note, int rate, std::vector<float>& out);

// Adds what lies past length samples back onto the start, so that the first length samples
// play as a seamless loop, and cuts the rest.
void wrapLoop(std::vector<float>& samples, std::size_t length);

// Scales the samples so that the loudest one reaches peak; silence stays silence.
void normalise(std::vector<float>& samples, float peak);

// A feedback echo: every delay samples the signal comes back, feedback times weaker; mix
// is the level of the first echo.
void addEcho(std::vector<float>& samples, std::size_t delay, float feedback, float mix);

// 16-bit PCM: samples clamped to [-1, 1], interleaved when there are several channels.
std::vector<int16_t> toPcm16(const std::vector<float>& samples);

// A canonical WAV file (44-byte header) of 16-bit PCM.
Bytes wavFile(const std::vector<int16_t>& pcm, int channels, int rate);

// Reads the keys of a VoiceShape from a section (wave, gain, attack, decay, sustain, release,
// filter, cutoff, resonance, vibrato, unison, bend); keys left out keep their values.
void readVoiceShape(SectionReader& reader, VoiceShape& shape);

// One or two numbers of a key (a single number stands for both); false when the key is
// missing or malformed, with the error recorded.
bool readRange(SectionReader& reader, const char* key, float* out);

}  // namespace trellin
