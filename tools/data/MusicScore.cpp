#include "tools/data/MusicScore.h"

#include <algorithm>
#include <cmath>

namespace trellin {

namespace {

// Longest loop a track may be, in seconds: the game streams it, but the build renders it whole.
constexpr double LONGEST_LOOP = 120.0;
// Echoes fade below this level before they are cut.
constexpr double ECHO_FLOOR = 0.001;
constexpr double LONGEST_ECHO = 8.0;

std::vector<std::string> splitChord(const std::string& word) {
    std::vector<std::string> notes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = word.find('+', start);
        notes.push_back(word.substr(start, plus == std::string::npos ? plus : plus - start));
        if (plus == std::string::npos) {
            return notes;
        }
        start = plus + 1;
    }
}

}  // namespace

bool noteFrequency(const std::string& word, float& hertz) {
    static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g from c
    if (word.size() < 2 || word.size() > 3 || word[0] < 'a' || word[0] > 'g') {
        return false;
    }
    int semitone = semitones[word[0] - 'a'];
    std::size_t at = 1;
    if (word.size() == 3) {
        if (word[1] == 's') {
            ++semitone;
        } else if (word[1] == 'b') {
            --semitone;
        } else {
            return false;
        }
        at = 2;
    }
    if (word[at] < '0' || word[at] > '8') {
        return false;
    }
    const int midi = 12 * (word[at] - '0' + 1) + semitone;
    hertz = float(440.0 * std::exp2((midi - 69) / 12.0));
    return true;
}

bool MusicScore::readMusic(SectionReader& reader) {
    reader.numbers("tempo", &tempo_, 1);
    if (reader.ok() && !(tempo_ >= 40.0f && tempo_ <= 240.0f)) {
        reader.fail("tempo lies from 40 to 240 beats a minute");
    }
    bars_ = reader.count("bars", 1, 64);
    beats_ = reader.count("beats", 1, 16, 4);
    steps_ = reader.count("steps", 1, 16, 4);
    reader.optionalNumbers("peak", &peak_, 1);
    if (reader.ok() && !(peak_ > 0.0f && peak_ <= 1.0f)) {
        reader.fail("peak lies above 0, up to 1");
    }
    if (reader.ok() && double(bars_) * beats_ * 60.0 / tempo_ > LONGEST_LOOP) {
        reader.fail("a loop lasts " + std::to_string(int(LONGEST_LOOP)) + " seconds at most");
    }
    return reader.ok();
}

bool MusicScore::readPart(SectionReader& reader, Part& part) {
    part.instrument = reader.word("instrument");
    const auto instrument = instruments_.find(part.instrument);
    if (reader.ok() && instrument == instruments_.end()) {
        reader.fail("instrument " + part.instrument + " is not described before the part");
    }
    const int step = reader.count("step", 1, 64, 1);
    reader.optionalNumbers("gain", &part.gain, 1);
    if (reader.ok() && !(part.gain >= 0.0f && part.gain <= 4.0f)) {
        reader.fail("gain lies from 0 to 4");
    }
    reader.optionalNumbers("pan", &part.pan, 1);
    if (reader.ok() && !(part.pan >= -1.0f && part.pan <= 1.0f)) {
        reader.fail("pan lies from -1 to 1");
    }
    reader.optionalNumbers("echo", part.echo, 3);
    if (reader.ok() && !(part.echo[0] >= 0.0f && part.echo[0] <= 64.0f && part.echo[1] >= 0.0f &&
                         part.echo[1] <= 0.9f && part.echo[2] >= 0.0f && part.echo[2] <= 1.0f)) {
        reader.fail(
            "echo is a delay of 0 to 64 steps, a feedback of 0 to 0.9 and a level of 0 to 1");
    }
    const std::vector<const SourceEntry*> lines = reader.all("notes");
    if (lines.empty()) {
        reader.fail("key notes is missing");
    }
    int words = 0;
    bool holding = false;  // the word before was a note (or a hold of one)
    for (const SourceEntry* line : lines) {
        for (const std::string& word : line->values) {
            if (!reader.ok()) {
                return false;
            }
            const int at = words++ * step;
            if (word == ".") {
                holding = false;
            } else if (word == "-") {
                if (!holding) {
                    reader.fail("- holds no note", line->line);
                }
                if (!part.events.empty()) {
                    part.events.back().length += step;
                }
            } else {
                Event event{at, step, {}};
                for (const std::string& note : splitChord(word)) {
                    float hertz = 0.0f;
                    if (note == "x" && reader.ok()) {
                        hertz = instrument != instruments_.end() ? instrument->second.pitch : 0.0f;
                        if (hertz <= 0.0f) {
                            reader.fail("x plays the instrument's pitch, which it has none of",
                                        line->line);
                        }
                    } else if (!noteFrequency(note, hertz)) {
                        reader.fail(word + " is no step word (., -, x, a note or a chord)",
                                    line->line);
                    }
                    event.pitches.push_back(hertz);
                }
                part.events.push_back(event);
                holding = true;
            }
        }
    }
    part.patternSteps = words * step;
    const int loopSteps = bars_ * beats_ * steps_;
    if (reader.ok() && (part.patternSteps > loopSteps || loopSteps % part.patternSteps != 0)) {
        reader.fail("the pattern's " + std::to_string(part.patternSteps) +
                    " steps do not divide the loop's " + std::to_string(loopSteps));
    }
    return reader.ok();
}

bool MusicScore::parse(const SourceDocument& document, std::string& error) {
    const std::vector<SourceSection>& sections = document.sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const SourceSection& section = sections[i];
        SectionReader reader(section, document.fileName());
        if (i == 0) {
            if (section.kind != "music") {
                reader.fail("a music file begins with its one [music Name]");
            } else {
                name_ = section.name;
                readMusic(reader);
            }
        } else if (section.kind == "instrument") {
            Instrument instrument;
            readVoiceShape(reader, instrument.shape);
            reader.optionalNumbers("pitch", &instrument.pitch, 1);
            if (reader.ok() && !(instrument.pitch >= 0.0f && instrument.pitch <= 22050.0f)) {
                reader.fail("pitch lies from 0 to 22050 Hz");
            }
            if (reader.ok() && !instruments_.emplace(section.name, instrument).second) {
                reader.fail("two instruments are named " + section.name);
            }
        } else if (section.kind == "part") {
            Part part;
            if (readPart(reader, part)) {
                parts_.push_back(part);
            }
        } else {
            reader.fail("after [music Name] come [instrument name] and [part name] sections");
        }
        if (!reader.finish(error)) {
            return false;
        }
    }
    if (parts_.empty()) {
        error = document.fileName() + ": the music has no parts";
        return false;
    }
    return true;
}

std::size_t MusicScore::loopSamples(int rate) const {
    return std::size_t(std::lround(bars_ * beats_ * 60.0 / tempo_ * rate));
}

std::vector<float> MusicScore::render(int rate) const {
    const double stepSeconds = 60.0 / (double(tempo_) * steps_);
    const int loopSteps = bars_ * beats_ * steps_;
    const std::size_t loopSamples = this->loopSamples(rate);
    std::vector<float> mix(loopSamples * 2, 0.0f);
    uint32_t seed = 1;
    for (const Part& part : parts_) {
        const VoiceShape& shape = instruments_.at(part.instrument).shape;
        double tail = shape.release;
        const std::size_t echoDelay = std::size_t(std::lround(part.echo[0] * stepSeconds * rate));
        if (echoDelay > 0 && part.echo[1] > 0.0f) {
            const double rounds = std::log(ECHO_FLOOR) / std::log(double(part.echo[1]));
            tail += std::min(rounds * part.echo[0] * stepSeconds, LONGEST_ECHO);
        } else if (echoDelay > 0) {
            tail += part.echo[0] * stepSeconds;
        }
        // The longest note may start on the last step and be held to the end of the pattern.
        tail += part.patternSteps * stepSeconds;
        std::vector<float> voice(loopSamples + std::size_t(std::ceil(tail * rate)) + 1, 0.0f);
        for (int round = 0; round < loopSteps / part.patternSteps; ++round) {
            for (const Event& event : part.events) {
                for (float hertz : event.pitches) {
                    Note note;
                    note.start = (round * part.patternSteps + event.step) * stepSeconds;
                    note.held = event.length * stepSeconds;
                    note.pitch[0] = note.pitch[1] = hertz;
                    note.gain = part.gain;
                    note.seed = seed++;
                    renderNote(shape, note, rate, voice);
                }
            }
        }
        if (echoDelay > 0) {
            addEcho(voice, echoDelay, part.echo[1], part.echo[2]);
        }
        wrapLoop(voice, loopSamples);
        // Equal power across the two sides.
        const double angle = (double(part.pan) + 1.0) * 3.14159265358979323846 / 4.0;
        const float left = float(std::cos(angle)), right = float(std::sin(angle));
        for (std::size_t i = 0; i < loopSamples; ++i) {
            mix[2 * i] += voice[i] * left;
            mix[2 * i + 1] += voice[i] * right;
        }
    }
    normalise(mix, peak_);
    return mix;
}

}  // namespace trellin
