#include <cmath>

#include "core/hash/HashString.h"
#include "tools/data/DataBuild.h"
#include "tools/data/Synth.h"

namespace trellin {

namespace {

const char* const SOUND_SOURCES = "sounds";
const char* const SOUND_FOLDER = "Audio/";
// The rate the game's audio output mixes at.
constexpr int SOUND_RATE = 22050;

struct SoundBeingBuilt {
    std::string name;
    double length = 0.0;
    float peak = 0.9f;
    bool loop = false;
    int layers = 0;
    std::vector<float> samples;
};

bool readSound(const SourceSection& section, const std::string& fileName, SoundBeingBuilt& sound,
               std::string& error) {
    SectionReader reader(section, fileName);
    float length = 0.0f;
    reader.numbers("length", &length, 1);
    if (reader.ok() && !(length >= 0.01f && length <= 10.0f)) {
        reader.fail("a sound's length lies from 0.01 to 10 seconds");
    }
    reader.optionalNumbers("peak", &sound.peak, 1);
    if (reader.ok() && !(sound.peak > 0.0f && sound.peak <= 1.0f)) {
        reader.fail("peak lies above 0, up to 1");
    }
    sound.loop = reader.flag("loop", false);
    sound.name = section.name;
    sound.length = length;
    // Room for the layers' tails, which a loop wraps onto its start.
    sound.samples.assign(std::size_t(std::lround(length * SOUND_RATE)) * 2, 0.0f);
    return reader.finish(error);
}

bool addLayer(const SourceSection& section, const std::string& fileName, SoundBeingBuilt& sound,
              uint32_t seed, std::string& error) {
    SectionReader reader(section, fileName);
    VoiceShape shape;
    readVoiceShape(reader, shape);
    Note note;
    float start = 0.0f, held = 0.0f;
    reader.optionalNumbers("start", &start, 1);
    reader.numbers("held", &held, 1);
    readRange(reader, "pitch", note.pitch);
    if (reader.ok() && !(note.pitch[0] >= 1.0f && note.pitch[1] >= 1.0f &&
                         note.pitch[0] <= 22050.0f && note.pitch[1] <= 22050.0f)) {
        reader.fail("pitch lies from 1 to 22050 Hz");
    }
    note.start = start;
    note.held = held;
    note.seed = seed;
    if (reader.ok() && !(start >= 0.0f && held > 0.0f)) {
        reader.fail("a layer starts at 0 or later and is held for some time");
    }
    const double end = note.start + noteLength(shape, note);
    if (reader.ok() && end > (sound.loop ? 2.0 : 1.0) * sound.length + 1e-6) {
        reader.fail("the layer ends at " + std::to_string(end) + " s, after its sound" +
                    (sound.loop ? "'s second round" : ""));
    }
    if (!reader.finish(error)) {
        return false;
    }
    renderNote(shape, note, SOUND_RATE, sound.samples);
    ++sound.layers;
    return true;
}

bool finishSound(SoundBeingBuilt& sound, const std::string& fileName, DataBuild& build,
                 std::string& error) {
    if (sound.layers == 0) {
        error = fileName + ": sound " + sound.name + " has no layers";
        return false;
    }
    const std::size_t length = std::size_t(std::lround(sound.length * SOUND_RATE));
    if (sound.loop) {
        wrapLoop(sound.samples, length);
    } else {
        sound.samples.resize(length);
    }
    normalise(sound.samples, sound.peak);
    build.addMember(std::string(DATA_FOLDER) + SOUND_FOLDER + sound.name + ".wav",
                    wavFile(toPcm16(sound.samples), 1, SOUND_RATE));
    return true;
}

}  // namespace

// data/sounds/*.txt: each [sound Name] (length in seconds, peak, loop) is made of the [layer
// name] sections after it, each one voice of the synthesiser (Synth.h) with its start, held
// time and pitch. A sound is mixed, scaled to its peak and stored as a 16-bit mono WAV file,
// Data/Android/Audio/Name.wav. A loop's tails are wrapped onto its start.
bool buildSounds(DataBuild& build, std::string& error) {
    std::vector<SourceDocument> documents;
    if (!build.readDocuments(SOUND_SOURCES, documents, error)) {
        return false;
    }
    std::vector<std::string> names;
    for (const SourceDocument& document : documents) {
        SoundBeingBuilt sound;
        uint32_t seed = 0;
        for (const SourceSection& section : document.sections()) {
            if (section.kind == "sound") {
                if (!sound.name.empty() && !finishSound(sound, document.fileName(), build, error)) {
                    return false;
                }
                sound = SoundBeingBuilt();
                if (!readSound(section, document.fileName(), sound, error)) {
                    return false;
                }
                names.push_back(sound.name);
                seed = orvo::HashString::calculateHash(sound.name.c_str());
            } else if (section.kind == "layer" && !sound.name.empty()) {
                if (!addLayer(section, document.fileName(), sound, ++seed, error)) {
                    return false;
                }
            } else {
                SectionReader reader(section, document.fileName());
                reader.fail(
                    "a sound file holds [sound Name] sections, each followed by its "
                    "[layer name] sections");
                return reader.finish(error);
            }
        }
        if (!sound.name.empty() && !finishSound(sound, document.fileName(), build, error)) {
            return false;
        }
    }
    if (names.empty()) {
        error = std::string(SOUND_SOURCES) + " describes no sounds";
        return false;
    }
    return DataBuild::uniqueNames(names, SOUND_SOURCES, error);
}

}  // namespace trellin
