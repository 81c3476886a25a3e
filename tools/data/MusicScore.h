#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/data/SourceDocument.h"
#include "tools/data/Synth.h"

namespace trellin {

// One track of the game's music, as its source describes it: a loop of whole bars played by
// parts, each a repeating pattern of steps on one instrument.
//
//   [music Name]        tempo (beats a minute), bars, beats (a bar), steps (a beat), peak
//   [instrument name]   the keys of a voice shape (Synth.h), and pitch (Hz) for the x note
//   [part name]         instrument, notes (lines of step words, joined in order), step (grid
//                       steps a word lasts), gain, pan (-1 left to 1 right), echo (delay in
//                       grid steps, feedback, level)
//
// Step words: "." rest, "-" holds the note before one word longer, "x" the instrument's own
// pitch, a note such as a3, eb4 or fs2 (b flat, s sharp; octave 4 holds a4 = 440 Hz), or notes
// joined by "+" (a chord). A part's pattern repeats to fill the loop, so its length must
// divide the loop's.
class MusicScore {
public:
    // False, with "file:line: reason", when the description cannot be played.
    bool parse(const SourceDocument& document, std::string& error);

    const std::string& name() const { return name_; }
    // The loop's length in samples at a rate (the whole number nearest its length in time).
    std::size_t loopSamples(int rate) const;
    // Samples of the loop at the given rate, stereo interleaved (left first), scaled to the
    // peak; the tails of the last notes are wrapped onto the start, so it loops seamlessly.
    std::vector<float> render(int rate) const;

private:
    struct Instrument {
        VoiceShape shape;
        float pitch = 0.0f;
    };
    struct Event {
        int step = 0;    // grid step of the start
        int length = 0;  // grid steps
        std::vector<float> pitches;
    };
    struct Part {
        std::string instrument;
        std::vector<Event> events;  // one round of the pattern
        int patternSteps = 0;
        float gain = 1.0f;
        float pan = 0.0f;
        float echo[3] = {0.0f, 0.0f, 0.0f};
    };

    bool readMusic(SectionReader& reader);
    bool readPart(SectionReader& reader, Part& part);

    std::string name_;
    float tempo_ = 120.0f;
    int bars_ = 1;
    int beats_ = 4;
    int steps_ = 4;
    float peak_ = 0.9f;
    std::map<std::string, Instrument> instruments_;
    std::vector<Part> parts_;
};

// The frequency of a note word (a3, eb4, fs2); false when it is none.
bool noteFrequency(const std::string& word, float& hertz);

}  // namespace trellin
