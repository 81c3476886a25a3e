#include "tools/data/DataBuild.h"
#include "tools/data/Mp3Encoder.h"
#include "tools/data/MusicScore.h"

namespace trellin {

namespace {

const char* const MUSIC_SOURCES = "music";
const char* const MUSIC_FOLDER = "app/native/audio/";
constexpr int MUSIC_RATE = 44100;

}  // namespace

// data/music/*.txt: one track each (MusicScore.h), rendered as a stereo loop and encoded by
// lame to app/native/audio/Name.mp3 in the run folder, beside the archive: the game streams
// its music from there.
bool buildMusic(DataBuild& build, std::string& error) {
    std::vector<SourceDocument> documents;
    if (!build.readDocuments(MUSIC_SOURCES, documents, error)) {
        return false;
    }
    std::vector<std::string> names;
    for (const SourceDocument& document : documents) {
        MusicScore score;
        if (!score.parse(document, error)) {
            return false;
        }
        Bytes mp3;
        if (!encodeMp3(wavFile(toPcm16(score.render(MUSIC_RATE)), 2, MUSIC_RATE), mp3, error)) {
            error = document.fileName() + ": " + error;
            return false;
        }
        names.push_back(score.name());
        build.addRunFile(MUSIC_FOLDER + score.name() + ".mp3", mp3);
    }
    if (names.empty()) {
        error = std::string(MUSIC_SOURCES) + " describes no music";
        return false;
    }
    return DataBuild::uniqueNames(names, MUSIC_SOURCES, error);
}

}  // namespace trellin
