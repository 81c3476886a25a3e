// The builder's steps for what the UI and the sound need: string tables, pages, fonts, the
// synthesiser, sound effects and music.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/strings/ZqStringTable.h"
#include "core/text/StringFunctions.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/data/DataBuild.h"
#include "tools/data/Mp3Encoder.h"
#include "tools/data/MusicScore.h"
#include "tools/data/Synth.h"

using namespace trellin;

namespace {

// Runs one step over a data folder; the error, empty on success.
std::string runStep(bool (*step)(DataBuild&, std::string&), DataBuild& build) {
    std::string error;
    step(build, error);
    return error;
}

int zeroCrossings(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        crossings += (samples[i - 1] < 0.0f) != (samples[i] < 0.0f) ? 1 : 0;
    }
    return crossings;
}

float loudest(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    float peak = 0.0f;
    for (std::size_t i = from; i < to; ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    return peak;
}

// ---- String tables ----

class StringSource : public ::testing::Test {
protected:
    std::string build(const std::string& text) {
        dir.write("strings/strings.txt", text);
        built.reset(new DataBuild(dir.path()));
        return runStep(buildStrings, *built);
    }
    // The text of a key in a built table, read by the game's string table.
    std::string lookUp(const char* table, const char* key) {
        const Bytes* bytes = built->member(std::string("scripts/Rml/Locale/") + table);
        if (bytes == nullptr) {
            return "<no table>";
        }
        trellin_test::TempDirectory tables;
        tables.write("t.bin", *bytes);
        orvo::FileBase::setRootPath((tables.path() + "/").c_str());
        orvo::ZqStringTable strings;
        orvo::ZqText text;
        const bool found = strings.load("t.bin") && strings.getString(orvo::HashString(key), text);
        orvo::FileBase::setRootPath(orvo::ZqString());
        return found ? std::string(orvo::textToString(text).c_str()) : "<none>";
    }

    trellin_test::TempDirectory dir;
    std::unique_ptr<DataBuild> built;
};

TEST_F(StringSource, GivesEachLanguageItsTable) {
    ASSERT_EQ(build("[text S_A]\nen = Best   score\nfr = Meilleur score\nit = Record\n"
                    "de = Größe\nes = Atrás\n"
                    "[text S_B]\nen = b\nfr = l’écran\nit = più\nde = b\nes = ¡sí!\n"),
              "");
    EXPECT_EQ(lookUp("strings_english.bin", "S_A"), "Best score");
    EXPECT_EQ(lookUp("strings_french.bin", "S_B"), "l’écran");
    EXPECT_EQ(lookUp("strings_italian.bin", "S_B"), "più");
    EXPECT_EQ(lookUp("strings_german.bin", "S_A"), "Größe");
    EXPECT_EQ(lookUp("strings_spanish.bin", "S_B"), "¡sí!");
    EXPECT_EQ(lookUp("strings_spanish.bin", "S_C"), "<none>");
}

TEST_F(StringSource, NamesWhatIsMissingOrWrong) {
    const std::string five = "en = a\nfr = a\nit = a\nde = a\nes = a\n";
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"[text S_A]\nen = a\nfr = a\nit = a\nes = a\n",
         "strings/strings.txt:1: [text S_A] key de is missing"},
        {"[text S_A]\n" + five + "pt = a\n", "strings/strings.txt:7: [text S_A] unknown key pt"},
        {"[label S_A]\n" + five,
         "strings/strings.txt:1: [label S_A] a string file holds [text KEY] sections"},
        {"[text S_A]\nen = \xC3\nfr = a\nit = a\nde = a\nes = a\n",
         "strings/strings.txt:1: [text S_A] the en text is not UTF-8"},
        {"[text S_A]\n" + five + "[text S_A]\n" + five,
         "strings/strings.txt: two records are named S_A"},
        {"# nothing\n", "strings/strings.txt: no texts"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.text), c.error) << c.text;
    }
}

// ---- Pages and fonts ----

TEST(PageSource, StylesAndDocumentsGoToTheUiFolderAsTheyAre) {
    trellin_test::TempDirectory dir;
    dir.write("pages/a.rml", "<rml/>");
    dir.write("pages/a.rcss", "body {}");
    dir.write("pages/notes.txt", "not a page");
    DataBuild build(dir.path());
    ASSERT_EQ(runStep(buildPages, build), "");
    ASSERT_NE(build.member("scripts/Rml/a.rml"), nullptr);
    EXPECT_EQ(std::string(build.member("scripts/Rml/a.rcss")->begin(),
                          build.member("scripts/Rml/a.rcss")->end()),
              "body {}");
    EXPECT_EQ(build.member("scripts/Rml/notes.txt"), nullptr);

    trellin_test::TempDirectory empty;
    empty.write("pages/notes.txt", "not a page");
    DataBuild none(empty.path());
    EXPECT_EQ(runStep(buildPages, none), "pages holds no .rml or .rcss files");
}

TEST(FontSource, CopiesInstalledFontsUnderTheGamesNames) {
    trellin_test::TempDirectory dir;
    const std::string notAFont = dir.write("fonts/LICENSE", "the licence text\n");
    const auto build = [&dir](const std::string& from) {
        dir.write("fonts/fonts.txt", "[font f]\nfile = some name.ttf\nfrom = " + from + "\n");
        DataBuild built(dir.path());
        const std::string error = runStep(buildFonts, built);
        const Bytes* font = built.member("Data/Android/Fonts/some name.ttf");
        const Bytes* licence = built.member("Data/Android/Fonts/LICENSE");
        return error.empty() && font != nullptr && licence != nullptr && font->size() > 1000
                   ? std::string("built")
                   : error;
    };
    EXPECT_EQ(build("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), "built");
    EXPECT_EQ(build("DejaVuSans.ttf"),
              "fonts/fonts.txt:1: [font f] from is the absolute path of an installed font");
    EXPECT_EQ(build(notAFont),
              "fonts/fonts.txt:1: [font f] " + notAFont + " is no TrueType or OpenType font");
    EXPECT_NE(build("/no/such/font.ttf").find("tools/setup installs the font packages"),
              std::string::npos);
}

// ---- The synthesiser ----

TEST(Synth, NotesSoundAtTheirPitchWithinTheirEnvelope) {
    const int rate = 22050;
    VoiceShape shape;
    shape.attack = 0.1f;
    shape.release = 0.2f;
    Note note;
    note.start = 0.5;
    note.held = 1.0;
    std::vector<float> out(std::size_t(rate) * 2, 0.0f);
    renderNote(shape, note, rate, out);
    // Silent before the start and after the release; 440 periods a second in between.
    EXPECT_EQ(loudest(out, 0, std::size_t(rate) / 2), 0.0f);
    EXPECT_EQ(loudest(out, std::size_t(1.7 * rate) + 1, out.size()), 0.0f);
    EXPECT_NEAR(zeroCrossings(out, std::size_t(0.6 * rate), std::size_t(1.6 * rate)), 880, 2);
    // Halfway up the attack, full when held, halfway down the release.
    EXPECT_NEAR(loudest(out, std::size_t(0.54 * rate), std::size_t(0.55 * rate)), 0.5f, 0.02f);
    EXPECT_NEAR(loudest(out, std::size_t(1.0 * rate), std::size_t(1.01 * rate)), 1.0f, 0.01f);
    EXPECT_NEAR(loudest(out, std::size_t(1.6 * rate), std::size_t(1.61 * rate)), 0.5f, 0.03f);

    // A sweep from 200 to 800 Hz rises evenly in pitch: 200 x 4^t Hz at t seconds.
    std::vector<float> sweep(std::size_t(rate), 0.0f);
    note.start = 0.0;
    note.pitch[0] = 200.0f;
    note.pitch[1] = 800.0f;
    shape.attack = 0.0f;
    renderNote(shape, note, rate, sweep);
    const int early = zeroCrossings(sweep, 0, std::size_t(rate) / 10);
    const int late = zeroCrossings(sweep, std::size_t(rate) * 8 / 10, std::size_t(rate) * 9 / 10);
    EXPECT_NEAR(double(late) / early, std::pow(4.0, 0.8), 0.15);
}

TEST(Synth, NoiseFollowsItsSeedAndTheFilterDarkensIt) {
    const int rate = 22050;
    VoiceShape shape;
    shape.wave = Wave::NOISE;
    Note note;
    note.held = 0.5;
    note.pitch[0] = note.pitch[1] = 22050.0f;
    const auto render = [&](const VoiceShape& s, uint32_t seed) {
        std::vector<float> out(std::size_t(rate), 0.0f);
        note.seed = seed;
        renderNote(s, note, rate, out);
        return out;
    };
    const std::vector<float> white = render(shape, 7);
    EXPECT_EQ(white, render(shape, 7));
    EXPECT_NE(white, render(shape, 8));
    VoiceShape dark = shape;
    dark.filter = Filter::LOWPASS;
    dark.cutoff[0] = dark.cutoff[1] = 300.0f;
    const std::vector<float> filtered = render(dark, 7);
    EXPECT_LT(zeroCrossings(filtered, 0, filtered.size()) * 5,
              zeroCrossings(white, 0, white.size()));
}

TEST(Synth, LoopsWrapTheirTailsOntoTheirStart) {
    std::vector<float> samples = {1, 2, 3, 4, 10, 20, 30, 40, 100};
    wrapLoop(samples, 4);
    EXPECT_EQ(samples, (std::vector<float>{111, 22, 33, 44}));

    std::vector<float> quiet = {0.1f, -0.25f, 0.0f};
    normalise(quiet, 0.5f);
    EXPECT_EQ(quiet, (std::vector<float>{0.2f, -0.5f, 0.0f}));
    std::vector<float> silence(3, 0.0f);
    normalise(silence, 0.5f);
    EXPECT_EQ(silence, std::vector<float>(3, 0.0f));

    const Bytes wav = wavFile(toPcm16({1.0f, -2.0f, 0.5f}), 1, 22050);
    ASSERT_EQ(wav.size(), 44u + 6u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(getU32(wav, 4), 36u + 6u);
    EXPECT_EQ(getU32(wav, 24), 22050u);
    EXPECT_EQ(getU32(wav, 40), 6u);
    EXPECT_EQ(int16_t(wav[44] | wav[45] << 8), 32767);
    EXPECT_EQ(int16_t(wav[46] | wav[47] << 8), -32767);  // clamped
}

// ---- Sound effects ----

class SoundSource : public ::testing::Test {
protected:
    std::string build(const std::string& text) {
        dir.write("sounds/s.txt", text);
        built.reset(new DataBuild(dir.path()));
        return runStep(buildSounds, *built);
    }
    std::vector<int16_t> samples(const char* name) const {
        const Bytes* wav = built->member(std::string("Data/Android/Audio/") + name + ".wav");
        std::vector<int16_t> out;
        for (std::size_t i = 44; wav != nullptr && i + 1 < wav->size(); i += 2) {
            out.push_back(int16_t((*wav)[i] | (*wav)[i + 1] << 8));
        }
        return out;
    }

    trellin_test::TempDirectory dir;
    std::unique_ptr<DataBuild> built;
};

TEST_F(SoundSource, LayersMixIntoOneWavScaledToItsPeak) {
    ASSERT_EQ(build("[sound A]\nlength = 0.2\npeak = 0.5\n"
                    "[layer low]\nheld = 0.1\npitch = 220\n"
                    "[layer late]\nstart = 0.1\nheld = 0.05\npitch = 880\nwave = square\n"
                    "[sound B]\nlength = 0.1\nloop = yes\n"
                    "[layer over]\nstart = 0.05\nheld = 0.1\npitch = 440\nattack = 0\n"),
              "");
    const std::vector<int16_t> a = samples("A");
    ASSERT_EQ(a.size(), 4410u);  // 0.2 s at 22050
    int peak = 0;
    for (int16_t s : a) {
        peak = std::max(peak, std::abs(int(s)));
    }
    EXPECT_EQ(peak, 16384);
    // The loop's second half rings on at its start.
    const std::vector<int16_t> b = samples("B");
    ASSERT_EQ(b.size(), 2205u);
    EXPECT_NE(*std::max_element(b.begin(), b.begin() + 1000), 0);
}

TEST_F(SoundSource, NamesWhatCannotBePlayed) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"[sound A]\nlength = 0.1\n[layer l]\nheld = 0.2\npitch = 440\n",
         "sounds/s.txt:3: [layer l] the layer ends at 0.210000 s, after its sound"},
        {"[sound A]\nlength = 0.1\n", "sounds/s.txt: sound A has no layers"},
        {"[layer l]\nheld = 0.1\npitch = 440\n",
         "sounds/s.txt:1: [layer l] a sound file holds [sound Name] sections, each followed by "
         "its [layer name] sections"},
        {"[sound A]\nlength = 0.1\n[layer l]\nheld = 0.05\npitch = 440\nwave = pink\n",
         "sounds/s.txt:3: [layer l] key wave is one of sine, triangle, square, saw, noise"},
        {"[sound A]\nlength = 0.1\n[layer l]\nheld = 0.05\npitch = 0.5\n",
         "sounds/s.txt:3: [layer l] pitch lies from 1 to 22050 Hz"},
        {"[sound A]\nlength = 0.1\n[layer l]\nheld = 0.05\npitch = 440\ncutoff = 5 100\n",
         "sounds/s.txt:3: [layer l] key cutoff lies from 10.000000 to 20000.000000"},
        {"[sound A]\nlength = 20\n",
         "sounds/s.txt:1: [sound A] a sound's length lies from 0.01 "
         "to 10 seconds"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.text), c.error) << c.text;
    }
}

// ---- Music ----

std::string parseScore(const std::string& text, MusicScore& score) {
    SourceDocument document;
    std::string error;
    if (document.parse(text, "m.txt", error)) {
        score.parse(document, error);
    }
    return error;
}

TEST(MusicSource, NoteNamesGiveEqualTemperedPitches) {
    const struct {
        const char* word;
        float hertz;
    } notes[] = {{"a4", 440.0f},    {"a3", 220.0f},    {"c4", 261.626f},
                 {"cs4", 277.183f}, {"db4", 277.183f}, {"fs2", 92.499f},
                 {"bb0", 29.135f},  {"b8", 7902.13f},  {"eb4", 311.127f}};
    for (const auto& n : notes) {
        float hertz = 0.0f;
        ASSERT_TRUE(noteFrequency(n.word, hertz)) << n.word;
        EXPECT_NEAR(hertz, n.hertz, n.hertz * 1e-4f) << n.word;
    }
    float hertz = 0.0f;
    for (const char* bad : {"h4", "a", "a9", "ax4", "A4", "c#4", "a44", ""}) {
        EXPECT_FALSE(noteFrequency(bad, hertz)) << bad;
    }
}

TEST(MusicSource, PartsPlayTheirStepsAroundTheLoop) {
    // Two seconds: eight beats of a quarter second, a held note on the first and a short one on
    // the last, whose release runs on past the end into the start.
    MusicScore score;
    ASSERT_EQ(parseScore("[music M]\ntempo = 240\nbars = 2\nsteps = 1\n"
                         "[instrument left]\nrelease = 0.001\n"
                         "[instrument ring]\nrelease = 0.4\n"
                         "[part a]\ninstrument = left\npan = -1\nnotes = a4 - . . . . . .\n"
                         "[part b]\ninstrument = ring\npan = 1\nnotes = . . . . . . . e5+a5\n",
                         score),
              "");
    const int rate = 8000;
    ASSERT_EQ(score.loopSamples(rate), 16000u);
    const std::vector<float> stereo = score.render(rate);
    ASSERT_EQ(stereo.size(), 32000u);
    std::vector<float> left, right;
    for (std::size_t i = 0; i < stereo.size(); i += 2) {
        left.push_back(stereo[i]);
        right.push_back(stereo[i + 1]);
    }
    // The held note fills the first two beats on the left only, at 440 Hz.
    EXPECT_NEAR(zeroCrossings(left, 0, 4000), 440, 4);
    EXPECT_LT(loudest(left, 4100, 16000), 1e-6f);
    EXPECT_LT(loudest(right, 3300, 13900), 1e-6f);
    // The chord on the last beat, and its release (0.4 s) heard again at the start of the loop.
    EXPECT_GT(loudest(right, 14000, 16000), 0.3f);
    EXPECT_GT(loudest(right, 0, 2000), 0.05f);
    EXPECT_NEAR(std::max(loudest(left, 0, 16000), loudest(right, 0, 16000)), 0.9f, 1e-5f);
}

TEST(MusicSource, NamesWhatCannotBePlayed) {
    const std::string head = "[music M]\ntempo = 120\nbars = 1\n[instrument i]\n";
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {head + "[part p]\ninstrument = i\nnotes = a4 . .\n",
         "m.txt:5: [part p] the pattern's 3 steps do not divide the loop's 16"},
        {head + "[part p]\ninstrument = i\nnotes = - a4 . .\n",
         "m.txt:7: [part p] - holds no note"},
        {head + "[part p]\ninstrument = j\nnotes = a4\n",
         "m.txt:5: [part p] instrument j is not described before the part"},
        {head + "[part p]\ninstrument = i\nnotes = x . . .\n",
         "m.txt:7: [part p] x plays the instrument's pitch, which it has none of"},
        {head + "[part p]\ninstrument = i\nnotes = a4 c#4\n",
         "m.txt:7: [part p] c is no step word "
         "(., -, x, a note or a chord)"},
        {head + "[part p]\ninstrument = i\nnotes = a4+q . . .\n",
         "m.txt:7: [part p] a4+q is no step word (., -, x, a note or a chord)"},
        {head + "[part p]\ninstrument = i\n", "m.txt:5: [part p] key notes is missing"},
        {head, "m.txt: the music has no parts"},
        {"[instrument i]\n",
         "m.txt:1: [instrument i] a music file begins with its one [music Name]"},
        {"[music M]\ntempo = 10\nbars = 1\n",
         "m.txt:1: [music M] tempo lies from 40 to 240 beats "
         "a minute"},
        {"[music M]\ntempo = 40\nbars = 64\n",
         "m.txt:1: [music M] a loop lasts 120 seconds at most"},
    };
    for (const auto& c : cases) {
        MusicScore score;
        EXPECT_EQ(parseScore(c.text, score), c.error) << c.text;
    }
}

TEST(Mp3Encoder, TheSameSamplesGiveTheSameBytes) {
    std::vector<float> samples(44100 * 2, 0.0f);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.5f * float(std::sin(double(i / 2) * 0.0627));
    }
    const Bytes wav = wavFile(toPcm16(samples), 2, 44100);
    Bytes first, second;
    std::string error;
    ASSERT_TRUE(encodeMp3(wav, first, error)) << error;
    ASSERT_TRUE(encodeMp3(wav, second, error)) << error;
    EXPECT_TRUE(first == second);
    // An MPEG audio frame first: no tag before the music.
    ASSERT_GT(first.size(), 1000u);
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[1] & 0xE0, 0xE0);
}

}  // namespace
