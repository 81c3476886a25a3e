#include "tools/data/Synth.h"

#include <algorithm>
#include <cmath>

namespace trellin {

namespace {

constexpr double PI = 3.14159265358979323846;

// The noise's own generator, so that its sequence is fixed by the seed alone.
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed) {}
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        return float(state_ >> 8) / float(1 << 23) - 1.0f;
    }

private:
    uint32_t state_;
};

// The correction that takes the step out of a saw or square wave near its jump (t is the
// phase, dt the phase step of one sample), so that high notes do not alias.
float polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return float(t + t - t * t - 1.0);
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return float(t * t + t + t + 1.0);
    }
    return 0.0f;
}

float oscillator(Wave wave, double phase, double step) {
    switch (wave) {
        case Wave::SINE:
            return float(std::sin(2.0 * PI * phase));
        case Wave::TRIANGLE:
            return float(4.0 * std::fabs(phase - 0.5) - 1.0);
        case Wave::SQUARE: {
            const double half = phase + 0.5 >= 1.0 ? phase - 0.5 : phase + 0.5;
            return (phase < 0.5 ? 1.0f : -1.0f) + polyBlep(phase, step) - polyBlep(half, step);
        }
        case Wave::SAW:
            return float(2.0 * phase - 1.0) - polyBlep(phase, step);
        case Wave::NOISE:
            break;
    }
    return 0.0f;
}

// A state-variable filter in its trapezoidal form: stable at every cutoff below half the rate.
class StateVariableFilter {
public:
    void tune(double cutoff, double resonance, int rate) {
        const double limited = std::clamp(cutoff, 10.0, 0.45 * rate);
        const double g = std::tan(PI * limited / rate);
        k_ = 1.0 / std::max(resonance, 0.1);
        a1_ = 1.0 / (1.0 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    float run(Filter kind, float input) {
        const double v3 = input - ic2_;
        const double v1 = a1_ * ic1_ + a2_ * v3;
        const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        switch (kind) {
            case Filter::LOWPASS:
                return float(v2);
            case Filter::BANDPASS:
                return float(v1);
            case Filter::HIGHPASS:
                return float(input - k_ * v1 - v2);
            case Filter::NONE:
                break;
        }
        return input;
    }

private:
    double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double ic1_ = 0.0, ic2_ = 0.0;
};

// The envelope's level, sample by sample.
class Envelope {
public:
    Envelope(const VoiceShape& shape, std::size_t held, int rate)
        : shape_(shape),
          attack_(std::size_t(std::lround(shape.attack * rate))),
          release_(std::size_t(std::lround(shape.release * rate))),
          held_(held),
          fall_(shape.decay > 0.0f ? std::exp(-1.0 / (double(shape.decay) * rate)) : 1.0) {}

    std::size_t length() const { return held_ + release_; }

    float next() {
        const std::size_t i = index_++;
        if (i >= held_) {
            // The release fades from wherever the held part ended.
            return release_ == 0 ? 0.0f
                                 : releaseFrom_ * float(1.0 - double(i - held_) / double(release_));
        }
        float level;
        if (i < attack_) {
            level = float(double(i) / double(attack_));
        } else {
            level = shape_.sustain + (1.0f - shape_.sustain) * float(decayLevel_);
            decayLevel_ *= fall_;
        }
        releaseFrom_ = level;
        return level;
    }

private:
    const VoiceShape& shape_;
    std::size_t attack_, release_, held_;
    double fall_;
    double decayLevel_ = 1.0;
    float releaseFrom_ = 0.0f;
    std::size_t index_ = 0;
};

// The frequency of every sample of a note: the sweep, the bend and the vibrato.
class PitchCurve {
public:
    PitchCurve(const VoiceShape& shape, const Note& note, std::size_t held, int rate)
        : shape_(shape),
          rate_(rate),
          frequency_(note.pitch[0]),
          held_(held),
          sweep_(held > 0 && note.pitch[0] > 0.0f && note.pitch[1] > 0.0f
                     ? std::pow(double(note.pitch[1]) / note.pitch[0], 1.0 / double(held))
                     : 1.0) {}

    double next() {
        const double t = double(index_) / rate_;
        double f = frequency_;
        if (index_ < held_) {
            frequency_ *= sweep_;
        }
        ++index_;
        if (shape_.bendTime > 0.0f && t < shape_.bendTime) {
            f *= std::exp2(shape_.bend * (1.0 - t / shape_.bendTime) / 12.0);
        }
        if (shape_.vibratoDepth != 0.0f) {
            f *=
                std::exp2(shape_.vibratoDepth * std::sin(2.0 * PI * shape_.vibratoRate * t) / 12.0);
        }
        return f;
    }

private:
    const VoiceShape& shape_;
    int rate_;
    double frequency_;
    std::size_t held_;
    double sweep_;
    std::size_t index_ = 0;
};

// The filter's cutoff, swept like the pitch and retuned every few samples.
constexpr std::size_t RETUNE_EVERY = 8;

}  // namespace

void renderNote(const VoiceShape& shape, const Note& note, int rate, std::vector<float>& out) {
    const double first = std::round(note.start * rate);
    if (!(first >= 0.0) || first >= double(out.size()) || !(note.held >= 0.0)) {
        return;
    }
    const std::size_t begin = std::size_t(first);
    const std::size_t held = std::size_t(std::lround(note.held * rate));
    Envelope envelope(shape, held, rate);
    PitchCurve pitch(shape, note, held, rate);
    StateVariableFilter filter;
    const double cutoffSweep =
        held > 0 ? std::pow(double(shape.cutoff[1]) / shape.cutoff[0], 1.0 / double(held)) : 1.0;
    double cutoff = shape.cutoff[0];

    const int oscillators = shape.wave == Wave::NOISE ? 1 : std::max(shape.unison, 1);
    std::vector<double> phases(std::size_t(oscillators), 0.0);
    std::vector<double> spread(std::size_t(oscillators), 1.0);
    for (int k = 0; k < oscillators; ++k) {
        // Spread evenly in pitch and in phase, so that the voices do not start in one click.
        phases[std::size_t(k)] = oscillators > 1 ? double(k) / oscillators : 0.0;
        if (oscillators > 1) {
            const double cents = shape.detune * (double(k) / (oscillators - 1) - 0.5);
            spread[std::size_t(k)] = std::exp2(cents / 1200.0);
        }
    }
    const float level = shape.gain * note.gain / std::sqrt(float(oscillators));
    NoiseSource noise(note.seed);
    float noiseFrom = noise.next(), noiseTo = noise.next();

    const std::size_t length = std::min(envelope.length(), out.size() - begin);
    for (std::size_t i = 0; i < length; ++i) {
        const double frequency = pitch.next();
        float value = 0.0f;
        if (shape.wave == Wave::NOISE) {
            // Values at the noise's rate, joined by straight lines.
            double& phase = phases[0];
            value = noiseFrom + (noiseTo - noiseFrom) * float(phase);
            phase += std::min(frequency / rate, 1.0);
            if (phase >= 1.0) {
                phase -= 1.0;
                noiseFrom = noiseTo;
                noiseTo = noise.next();
            }
        } else {
            for (int k = 0; k < oscillators; ++k) {
                double& phase = phases[std::size_t(k)];
                const double step = std::min(frequency * spread[std::size_t(k)] / rate, 0.5);
                value += oscillator(shape.wave, phase, step);
                phase += step;
                if (phase >= 1.0) {
                    phase -= 1.0;
                }
            }
        }
        if (shape.filter != Filter::NONE) {
            if (i % RETUNE_EVERY == 0) {
                filter.tune(cutoff, shape.resonance, rate);
            }
            if (i < held) {
                cutoff *= cutoffSweep;
            }
            value = filter.run(shape.filter, value);
        }
        out[begin + i] += value * envelope.next() * level;
    }
}

void wrapLoop(std::vector<float>& samples, std::size_t length) {
    if (length == 0) {
        samples.clear();
        return;
    }
    for (std::size_t i = length; i < samples.size(); ++i) {
        samples[i % length] += samples[i];
    }
    samples.resize(length, 0.0f);
}

void normalise(std::vector<float>& samples, float peak) {
    float loudest = 0.0f;
    for (float s : samples) {
        loudest = std::max(loudest, std::fabs(s));
    }
    if (loudest > 0.0f) {
        for (float& s : samples) {
            s *= peak / loudest;
        }
    }
}

void addEcho(std::vector<float>& samples, std::size_t delay, float feedback, float mix) {
    if (delay == 0) {
        return;
    }
    // wet[i] = dry[i - delay] + feedback * wet[i - delay]
    std::vector<float> wet(samples.size(), 0.0f);
    for (std::size_t i = delay; i < samples.size(); ++i) {
        wet[i] = samples[i - delay] + feedback * wet[i - delay];
    }
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] += mix * wet[i];
    }
}

std::vector<int16_t> toPcm16(const std::vector<float>& samples) {
    std::vector<int16_t> pcm;
    pcm.reserve(samples.size());
    for (float s : samples) {
        pcm.push_back(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)));
    }
    return pcm;
}

Bytes wavFile(const std::vector<int16_t>& pcm, int channels, int rate) {
    const uint32_t dataSize = uint32_t(pcm.size() * 2);
    Bytes out;
    const auto tag = [&out](const char* four) { out.insert(out.end(), four, four + 4); };
    const auto u16 = [&out](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    tag("RIFF");
    putU32(out, 36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    putU32(out, 16);
    u16(1);  // PCM
    u16(uint32_t(channels));
    putU32(out, uint32_t(rate));
    putU32(out, uint32_t(rate * channels * 2));
    u16(uint32_t(channels * 2));
    u16(16);
    tag("data");
    putU32(out, dataSize);
    for (int16_t s : pcm) {
        u16(uint16_t(s));
    }
    return out;
}

bool readRange(SectionReader& reader, const char* key, float* out) {
    const std::vector<std::string> words = reader.words(key);
    if (words.empty()) {
        return false;
    }
    if (words.size() > 2) {
        reader.fail(std::string("key ") + key + " takes one or two numbers");
        return false;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!parseNumber(words[i], out[i])) {
            reader.fail(std::string("key ") + key + ": " + words[i] + " is not a number");
            return false;
        }
    }
    if (words.size() == 1) {
        out[1] = out[0];
    }
    return true;
}

namespace {

bool inRange(SectionReader& reader, const char* key, float value, float low, float high) {
    if (!(value >= low && value <= high)) {
        reader.fail(std::string("key ") + key + " lies from " + std::to_string(low) + " to " +
                    std::to_string(high));
        return false;
    }
    return true;
}

// A key of one number within [low, high]; left out, the value stays.
void readNumber(SectionReader& reader, const char* key, float& value, float low, float high) {
    if (reader.has(key)) {
        float read = value;
        reader.numbers(key, &read, 1);
        if (reader.ok() && inRange(reader, key, read, low, high)) {
            value = read;
        }
    }
}

template <typename T, std::size_t N>
void readKeyword(SectionReader& reader, const char* key, const char* const (&names)[N],
                 const T (&values)[N], T& out) {
    if (!reader.has(key)) {
        return;
    }
    const std::string word = reader.word(key);
    for (std::size_t i = 0; i < N; ++i) {
        if (word == names[i]) {
            out = values[i];
            return;
        }
    }
    if (reader.ok()) {
        std::string known;
        for (const char* name : names) {
            known += (known.empty() ? "" : ", ") + std::string(name);
        }
        reader.fail(std::string("key ") + key + " is one of " + known);
    }
}

}  // namespace

void readVoiceShape(SectionReader& reader, VoiceShape& shape) {
    static const char* const waveNames[] = {"sine", "triangle", "square", "saw", "noise"};
    static const Wave waves[] = {Wave::SINE, Wave::TRIANGLE, Wave::SQUARE, Wave::SAW, Wave::NOISE};
    readKeyword(reader, "wave", waveNames, waves, shape.wave);
    static const char* const filterNames[] = {"none", "lowpass", "bandpass", "highpass"};
    static const Filter filters[] = {Filter::NONE, Filter::LOWPASS, Filter::BANDPASS,
                                     Filter::HIGHPASS};
    readKeyword(reader, "filter", filterNames, filters, shape.filter);

    readNumber(reader, "gain", shape.gain, 0.0f, 4.0f);
    readNumber(reader, "attack", shape.attack, 0.0f, 10.0f);
    readNumber(reader, "decay", shape.decay, 0.0f, 10.0f);
    readNumber(reader, "sustain", shape.sustain, 0.0f, 1.0f);
    readNumber(reader, "release", shape.release, 0.0f, 10.0f);
    readNumber(reader, "resonance", shape.resonance, 0.1f, 20.0f);
    if (reader.has("cutoff") && readRange(reader, "cutoff", shape.cutoff)) {
        for (float cutoff : shape.cutoff) {
            if (!inRange(reader, "cutoff", cutoff, 10.0f, 20000.0f)) {
                break;
            }
        }
    }
    if (reader.has("vibrato")) {
        float vibrato[2] = {0.0f, 0.0f};
        reader.numbers("vibrato", vibrato, 2);
        if (reader.ok() && inRange(reader, "vibrato", vibrato[0], 0.0f, 50.0f) &&
            inRange(reader, "vibrato", vibrato[1], -12.0f, 12.0f)) {
            shape.vibratoRate = vibrato[0];
            shape.vibratoDepth = vibrato[1];
        }
    }
    if (reader.has("unison")) {
        float unison[2] = {1.0f, 0.0f};
        reader.numbers("unison", unison, 2);
        if (reader.ok() && inRange(reader, "unison", unison[0], 1.0f, 8.0f) &&
            inRange(reader, "unison", unison[1], 0.0f, 100.0f)) {
            shape.unison = int(unison[0]);
            shape.detune = unison[1];
        }
    }
    if (reader.has("bend")) {
        float bend[2] = {0.0f, 0.0f};
        reader.numbers("bend", bend, 2);
        if (reader.ok() && inRange(reader, "bend", bend[0], -48.0f, 48.0f) &&
            inRange(reader, "bend", bend[1], 0.0f, 10.0f)) {
            shape.bend = bend[0];
            shape.bendTime = bend[1];
        }
    }
}

}  // namespace trellin
