// The pages, string tables, fonts, sounds and music of the built data, read the way the game
// reads them: the documents through the UI service (laid out on a target without GL), the
// tables through the string table service, the sounds through the audio system's WAV reader
// and the music through the tablet layer's MP3 decoder.
#include <gtest/gtest.h>

#include <Rocket/Core.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "audio/AudioSystem.h"
#include "audio/Buffer.h"
#include "core/file/BinaryFile.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "core/message/MessageSystem.h"
#include "core/strings/ZqStringTable.h"
#include "core/text/StringFunctions.h"
#include "graphics/GraphicsSystem.h"
#include "lib/tablet/Mp3Decoder.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tests/tools/PageFill.h"
#include "tests/tools/PageNames.h"
#include "tools/data/MusicScore.h"
#include "ui/EventHandler.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace {

constexpr const char* ARCHIVE = TRELLIN_RUN_FOLDER "/app/native/trellin.pak";
constexpr float SCREEN_WIDTH = 1024.0f;
constexpr float SCREEN_HEIGHT = 600.0f;

// The bytes of an archive member.
std::string archiveBytes(const std::string& path) {
    BinaryFile file;
    if (!file.open(path.c_str())) {
        return std::string();
    }
    std::string bytes(file.size(), '\0');
    if (!bytes.empty() && file.read(&bytes[0], 1, uint32_t(bytes.size())) != bytes.size()) {
        bytes.clear();
    }
    return bytes;
}

uint32_t u32At(const std::string& bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | uint8_t(bytes[at + std::size_t(i)]);
    }
    return value;
}

// A string table file as key hash -> text; false when it is malformed.
bool readTable(const std::string& bytes, std::map<uint32_t, std::string>& texts) {
    if (bytes.size() < 4) {
        return false;
    }
    const uint32_t count = u32At(bytes, 0);
    const std::size_t block = 4 + std::size_t(count) * 8;
    if (block > bytes.size()) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t at = block + u32At(bytes, 4 + 8 * std::size_t(i) + 4);
        const std::size_t end = bytes.find('\0', at);
        if (at >= bytes.size() || end == std::string::npos) {
            return false;
        }
        texts[u32At(bytes, 4 + 8 * std::size_t(i))] = bytes.substr(at, end - at);
    }
    return true;
}

// Every "page:value" a page's handler receives, and the element it came with.
class PageHandler : public EventHandler {
public:
    PageHandler(std::string page, std::vector<std::string>* log)
        : page_(std::move(page)), log_(log) {}
    void processEvent(Rocket::Core::Element* element, const ZqString&,
                      const ZqString& value) override {
        lastElement = element != nullptr ? element->GetId().c_str() : "";
        log_->push_back(page_ + ":" + value.c_str());
    }
    std::string lastElement;

private:
    std::string page_;
    std::vector<std::string>* log_;
};

void collectElements(Rocket::Core::Element* element, std::vector<Rocket::Core::Element*>& out) {
    out.push_back(element);
    for (int i = 0; i < element->GetNumChildren(); ++i) {
        collectElements(element->GetChild(i), out);
    }
}

// The scripts of an element's event attributes (onmousedown and the like).
std::vector<std::string> eventScripts(Rocket::Core::Element* element) {
    std::vector<std::string> scripts;
    Rocket::Core::Dictionary attributes = *element->GetAttributes();
    int position = 0;
    Rocket::Core::String name;
    Rocket::Core::Variant* value = nullptr;
    while (attributes.Iterate(position, name, value)) {
        if (name.Substring(0, 2) == "on") {
            scripts.push_back(value->Get<Rocket::Core::String>().c_str());
        }
    }
    return scripts;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

class PageDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        trellin_test::copyLog(&console);
        FileBase::setRootPath(ARCHIVE);
        ASSERT_NE(Locator::registerService<GraphicsSystem>("GraphicsSystem"), nullptr);
        GraphicsSystem::instance_->getCurrentRenderTarget()->setDisplayDimensions(1024, 600);
        ASSERT_NE(Locator::registerService<ZqStringTable>("ZqStringTable"), nullptr);
        ASSERT_NE(Locator::registerService<RocketSystem>("RocketSystem"), nullptr);
        for (const char* font : GAME_FONTS) {
            ASSERT_TRUE(ui().loadFont(ZqString(GameDataTables::DATA_FOLDER) + font, ZqString()))
                << font;
        }
        for (const GamePage& page : GAME_PAGES) {
            handlers[page.name].reset(new PageHandler(page.name, &events));
            ui().registerPageEventHandler(page.document, handlers[page.name]);
        }
    }
    void TearDown() override {
        Locator::deregisterService<RocketSystem>();
        Locator::deregisterService<ZqStringTable>();
        Locator::deregisterService<GraphicsSystem>();
        trellin_test::copyLog(nullptr);
        trellin_test::TempDirectory::resetFileState();
    }

    static RocketSystem& ui() { return *RocketSystem::instance_; }

    // Opens a page as the game does and runs its load events; false when it does not load.
    bool open(const GamePage& page) {
        if (!ui().loadDocument(page.document, true)) {
            return false;
        }
        ui().update(0.0);
        return true;
    }
    static std::string currentPage() {
        Rocket::Core::ElementDocument* document = ui().getDefaultDocument();
        return document != nullptr ? document->GetSourceURL().c_str() : "";
    }
    static std::vector<Rocket::Core::Element*> elements() {
        std::vector<Rocket::Core::Element*> all;
        collectElements(ui().getDefaultDocument(), all);
        return all;
    }
    static Rocket::Core::Element* byId(const char* id) {
        return ui().getDefaultDocument()->GetElementById(id);
    }
    // A touch in the middle of an element, as the game feeds it to the UI.
    static void touch(Rocket::Core::Element* element) {
        const Rocket::Core::Vector2f at = element->GetAbsoluteOffset(Rocket::Core::Box::BORDER);
        ui().setMousePosition(unsigned(at.x + element->GetOffsetWidth() / 2),
                              unsigned(at.y + element->GetOffsetHeight() / 2));
        ui().setMouseButtonDown(RocketSystem::MOUSE_BUTTON_LEFT);
        ui().setMouseButtonUp(RocketSystem::MOUSE_BUTTON_LEFT);
        ui().update(0.0);
    }
    std::vector<std::string> takeEvents() {
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }

    std::string console;
    std::vector<std::string> events;
    std::map<std::string, boost::shared_ptr<PageHandler>> handlers;
};

TEST_F(PageDataTest, EveryPageLoadsWithItsStyleAndNoComplaint) {
    for (const GamePage& page : GAME_PAGES) {
        SCOPED_TRACE(page.document);
        ASSERT_TRUE(open(page));
        // The style sheet is linked: its font reaches the page's texts.
        EXPECT_EQ(std::string(ui().getDefaultDocument()
                                  ->GetProperty<Rocket::Core::String>("font-family")
                                  .c_str()),
                  "DejaVu Sans");
        EXPECT_EQ(ui().getDefaultDocument()->GetAttribute<float>("reference_width", 0.0f),
                  SCREEN_WIDTH);
        EXPECT_EQ(ui().getDefaultDocument()->GetAttribute<float>("reference_height", 0.0f),
                  SCREEN_HEIGHT);
    }
    // The UI library names any markup, style or script it cannot use.
    EXPECT_EQ(console, "");
}

// Without a table the UI shows a page's texts as they are written: each must be a key of every
// table, as must every key of the game, and each table holds the same keys, none empty.
TEST_F(PageDataTest, EveryTextIsAKeyOfEveryTable) {
    std::set<std::string> keys(std::begin(GAME_STRING_KEYS), std::end(GAME_STRING_KEYS));
    for (const GamePage& page : GAME_PAGES) {
        ASSERT_TRUE(open(page)) << page.document;
        for (Rocket::Core::Element* element : elements()) {
            if (auto* text = dynamic_cast<Rocket::Core::ElementText*>(element)) {
                keys.insert(text->GetText().c_str());
            }
        }
    }
    std::map<uint32_t, std::string> first;
    for (const GameLanguage& language : GAME_LANGUAGES) {
        SCOPED_TRACE(language.table);
        std::map<uint32_t, std::string> table;
        ASSERT_TRUE(readTable(archiveBytes(language.table), table));
        for (const std::string& key : keys) {
            const auto found = table.find(HashString::calculateHash(key.c_str()));
            ASSERT_NE(found, table.end()) << key;
            EXPECT_FALSE(found->second.empty()) << key;
        }
        for (const auto& entry : table) {
            EXPECT_FALSE(entry.second.empty()) << std::hex << entry.first;
        }
        if (first.empty()) {
            first = table;
        }
        EXPECT_EQ(table.size(), first.size());
        for (const auto& entry : first) {
            EXPECT_EQ(table.count(entry.first), 1u) << std::hex << entry.first;
        }
        // The service reads the same table and finds the game's own keys.
        ASSERT_TRUE(ZqStringTable::instance_->load(language.table));
        ZqText text;
        EXPECT_TRUE(ZqStringTable::instance_->getString(HashString("S_MUSIC"), text));
    }
}

// A script calls only what its page's handler knows and loads only the game's pages.
TEST_F(PageDataTest, ScriptsCallOnlyTheirHandlersEventsAndLoadOnlyPages) {
    // Scripts name pages as their folder's other documents.
    std::set<std::string> pages;
    for (const GamePage& page : GAME_PAGES) {
        pages.insert(std::filesystem::path(page.document).filename().string());
    }
    int scripts = 0;
    for (const GamePage& page : GAME_PAGES) {
        ASSERT_TRUE(open(page)) << page.document;
        const std::set<std::string> known(page.events.begin(), page.events.end());
        for (Rocket::Core::Element* element : elements()) {
            for (const std::string& script : eventScripts(element)) {
                ++scripts;
                SCOPED_TRACE(std::string(page.document) + ": " + script);
                if (pages.count(script) != 0) {
                    continue;  // an event text that names a page loads it
                }
                std::string command;
                std::istringstream in(script);
                while (std::getline(in, command, ';')) {
                    const std::vector<std::string> w = words(command);
                    ASSERT_FALSE(w.empty());
                    if (w[0] == "call") {
                        ASSERT_EQ(w.size(), 2u);
                        EXPECT_EQ(known.count(w[1]), 1u) << w[1];
                    } else {
                        ASSERT_EQ(w.size(), 2u);
                        EXPECT_EQ(w[0], "load_document");
                        EXPECT_EQ(pages.count(w[1]), 1u) << w[1];
                    }
                }
            }
        }
    }
    EXPECT_GT(scripts, 0);
}

// Each control of each page, touched as the game passes touches on: what the page's handler
// hears (the game first), then which page is up.
TEST_F(PageDataTest, EachControlCallsTheGameThenOpensItsPage) {
    const GamePage& title = GAME_PAGES[0];
    const GamePage& hud = GAME_PAGES[1];
    const GamePage& pause = GAME_PAGES[2];
    const GamePage& restart = GAME_PAGES[3];
    // What each page sends when it is shown.
    const struct {
        const GamePage& page;
        std::vector<std::string> events;
    } shown[] = {{title, {"title:refresh_page_info"}},
                 {hud, {}},
                 {pause, {"pause:pause_game"}},
                 {restart, {"restart:submit_score"}}};
    for (const auto& s : shown) {
        ASSERT_TRUE(open(s.page)) << s.page.document;
        EXPECT_EQ(takeEvents(), s.events) << s.page.document;
    }

    const struct {
        const GamePage& page;
        const char* control;
        std::vector<std::string> events;
        const GamePage& next;
    } cases[] = {
        {title, "start_game", {"title:play_sound", "title:start_game"}, hud},
        {title, "music_toggle", {"title:play_sound", "title:music_toggle"}, title},
        {title, "bonus_toggle", {"title:play_sound", "title:toggle_bonus_distance"}, title},
        {hud, "move_left", {"hud:player_move_left"}, hud},
        {hud, "move_right", {"hud:player_move_right"}, hud},
        {hud, "pause", {}, pause},
        {pause, "resume_game", {"pause:resume_game"}, hud},
        {pause, "main_menu", {"pause:kill_game"}, title},
        {restart, "restart_game", {"restart:restart_game"}, hud},
        {restart, "main_menu", {"restart:kill_game"}, title},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.page.document) + " " + c.control);
        ASSERT_TRUE(open(c.page));
        takeEvents();
        Rocket::Core::Element* control = byId(c.control);
        ASSERT_NE(control, nullptr);
        touch(control);
        std::vector<std::string> heard = takeEvents();
        // The next page's own load events come after.
        heard.resize(std::min(heard.size(), c.events.size()));
        EXPECT_EQ(heard, c.events);
        EXPECT_EQ(currentPage(), c.next.document);
    }
    // The toggles' handler writes its new label into the element the event came from.
    ASSERT_TRUE(open(title));
    for (const char* toggle : {"music_toggle", "bonus_toggle"}) {
        touch(byId(toggle));
        EXPECT_EQ(handlers["title"]->lastElement, toggle);
    }
}

// In every language, as written and as the game fills it, every page lies on the screen and no
// label of a control, title or score wraps onto a second line (each keeps its English height);
// the HUD's controls stay in the top fifth, above the touches that switch lanes.
TEST_F(PageDataTest, PagesFitTheScreenInEveryLanguage) {
    const auto keepsItsHeight = [](Rocket::Core::Element* element) {
        const Rocket::Core::String classes = element->GetClassNames();
        return !eventScripts(element).empty() ||
               classes.find("dialog_title") != std::string::npos ||
               classes.find("label") != std::string::npos ||
               classes.find("value") != std::string::npos ||
               classes.find("caption") != std::string::npos || element->GetId() == "game_score";
    };
    for (const GamePage& page : GAME_PAGES) {
        for (const bool filled : {false, true}) {
            std::vector<float> english;
            for (const GameLanguage& language : GAME_LANGUAGES) {
                SCOPED_TRACE(std::string(page.document) + " in " + language.table +
                             (filled ? ", filled" : ""));
                ASSERT_TRUE(ZqStringTable::instance_->load(language.table));
                ASSERT_TRUE(open(page));
                if (filled) {
                    fillAsTheGameDoes(ui().getDefaultDocument());
                    ui().update(0.0);
                }
                std::vector<float> heights;
                for (Rocket::Core::Element* element : elements()) {
                    if (dynamic_cast<Rocket::Core::ElementText*>(element) != nullptr ||
                        !element->IsVisible()) {
                        continue;
                    }
                    const Rocket::Core::Vector2f at =
                        element->GetAbsoluteOffset(Rocket::Core::Box::BORDER);
                    const float right = at.x + element->GetOffsetWidth();
                    const float bottom = at.y + element->GetOffsetHeight();
                    EXPECT_TRUE(at.x >= 0.0f && at.y >= 0.0f && right <= SCREEN_WIDTH &&
                                bottom <= SCREEN_HEIGHT)
                        << element->GetTagName().c_str() << "#" << element->GetId().c_str()
                        << " at " << at.x << ", " << at.y << " to " << right << ", " << bottom;
                    if (keepsItsHeight(element)) {
                        heights.push_back(element->GetOffsetHeight());
                    }
                    if (std::string(page.name) == "hud" && !eventScripts(element).empty()) {
                        EXPECT_LE(bottom, SCREEN_HEIGHT / 5) << element->GetId().c_str();
                    }
                }
                if (english.empty()) {
                    english = heights;
                    EXPECT_FALSE(english.empty());
                }
                EXPECT_EQ(heights, english);
            }
        }
    }
}

TEST(GameSoundData, EverySoundLoadsThroughTheAudioSystem) {
    FileBase::setRootPath(ARCHIVE);
    ASSERT_NE(Locator::registerService<MessageSystem>("MessageSystem"), nullptr);
    ASSERT_NE(Locator::registerService<AudioSystem>("AudioSystem"), nullptr);
    for (const char* name : GAME_SOUNDS) {
        SCOPED_TRACE(name);
        const ZqString path =
            ZqString(GameDataTables::DATA_FOLDER) + GameDataTables::SOUND_FOLDER + name + ".wav";
        const boost::shared_ptr<Buffer> buffer =
            AudioSystem::instance_->createBuffer(path, HashString(path.c_str()));
        ASSERT_TRUE(buffer);
        // The rate the game mixes at; a short effect, not silent and not clipped.
        EXPECT_EQ(buffer->getSampleRate(), 22050u);
        const double seconds = buffer->getDataSize() / 2.0 / buffer->getSampleRate();
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 2.0);
        const auto* samples =
            reinterpret_cast<const int16_t*>(buffer->getData() + buffer->getDataOffset());
        int loudest = 0;
        for (uint32_t i = 0; i < buffer->getDataSize() / 2; ++i) {
            loudest = std::max(loudest, std::abs(int(samples[i])));
        }
        EXPECT_GT(loudest, 16000);
        EXPECT_LT(loudest, 32767);
    }
    Locator::deregisterService<AudioSystem>();
    Locator::deregisterService<MessageSystem>();
    trellin_test::TempDirectory::resetFileState();
}

// Each track decodes to exactly its loop, with no silence the encoder added at either end,
// and its end runs on into its start.
TEST(GameMusicData, EveryTrackDecodesToItsWholeLoop) {
    const char* const sources[] = {"TitleMusic.txt", "BGMusic.txt"};
    for (std::size_t i = 0; i < std::size(GAME_MUSIC); ++i) {
        SCOPED_TRACE(GAME_MUSIC[i]);
        std::string error;
        trellin::Bytes bytes;
        ASSERT_TRUE(trellin::readFileBytes(
            std::string(TRELLIN_SOURCE_FOLDER "/data/music/") + sources[i], bytes, error));
        trellin::SourceDocument document;
        trellin::MusicScore score;
        ASSERT_TRUE(document.parse(std::string(bytes.begin(), bytes.end()), sources[i], error));
        ASSERT_TRUE(score.parse(document, error)) << error;

        std::unique_ptr<tablet::Mp3Decoder> decoder =
            tablet::Mp3Decoder::open((std::string(TRELLIN_RUN_FOLDER "/") + GAME_MUSIC[i]).c_str());
        ASSERT_TRUE(decoder);
        EXPECT_EQ(decoder->channels(), 2);
        std::vector<int16_t> samples;
        int16_t block[4096 * 2];
        for (std::size_t got; (got = decoder->read(block, 4096)) != 0;) {
            samples.insert(samples.end(), block, block + got * 2);
        }
        const std::size_t frames = samples.size() / 2;
        EXPECT_EQ(frames, score.loopSamples(decoder->rate()));
        ASSERT_GT(frames, std::size_t(decoder->rate()) * 5);
        // The step from the last frame to the first is no larger than the music's own steps.
        int largestStep = 0;
        for (std::size_t f = 1; f < frames; ++f) {
            largestStep = std::max(largestStep, std::abs(samples[2 * f] - samples[2 * f - 2]));
        }
        EXPECT_LE(std::abs(samples[0] - samples[2 * (frames - 1)]), largestStep / 2);
    }
}

}  // namespace
