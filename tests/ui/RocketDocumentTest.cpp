#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/file/FileBase.h"
#include "graphics/GraphicsSystem.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/RocketStrings.h"

using namespace orvo;
using ui_test::UiTest;

namespace {

class RocketDocumentTest : public UiTest {
protected:
    std::string root() const { return ui().getRootDocument().c_str(); }
    std::string directory() const { return ui().getCurrentDirectory().c_str(); }
    std::vector<std::string> urls() const {
        std::vector<std::string> list;
        for (Rocket::Core::ElementDocument* document : ui().getCurrentDocuments()) {
            list.push_back(document != nullptr ? document->GetSourceURL() : "<null>");
        }
        return list;
    }
};

TEST_F(RocketDocumentTest, RelativePathsResolveAgainstTheRootDocumentsDirectory) {
    struct Case {
        const char* path;
        bool fromRoot;
        const char* loaded;
        const char* directory;
    };
    // Each load starts from the directory the previous one left.
    const Case cases[] = {
        {"scripts/Rml/a.rml", true, "scripts/Rml/a.rml", "scripts/Rml/"},
        {"b.rml", false, "scripts/Rml/b.rml", "scripts/Rml/"},
        {"./b.rml", false, "scripts/Rml/b.rml", "scripts/Rml/"},
        {"../x/c.rml", false, "scripts/x/c.rml", "scripts/x/"},
        {"..\\Rml\\d.rml", false, "scripts/Rml/d.rml", "scripts/Rml/"},
        {"../../top.rml", false, "top.rml", ""},
        // "../" with nothing left starts from the executable's folder.
        {"../e.rml", false, "app/e.rml", "app/"},
        {"scripts/Rml/a.rml", true, "scripts/Rml/a.rml", "scripts/Rml/"},
    };
    FileBase::setExecutable("app/bin/");
    for (const Case& c : cases) {
        writeDocument(c.loaded, "<p>x</p>");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(ui().loadDocument(c.path, c.fromRoot));
        EXPECT_EQ(root(), c.loaded);
        EXPECT_EQ(directory(), c.directory);
        EXPECT_EQ(urls(), std::vector<std::string>{c.loaded});
        EXPECT_EQ(variable("LOADED_DOCUMENTS"), c.loaded);
    }
    FileBase::setExecutable(ZqString());
}

TEST_F(RocketDocumentTest, AddedDocumentsJoinTheListAndAFailedLoadChangesNothing) {
    trellin_test::expectLog(
        "Rocket Error: Failed to load document scripts/Rml/missing.rml, could not open file.", 2);
    trellin_test::expectLog(
        "Rocket Error: Failed to load document missing.rml, could not open file.");
    trellin_test::expectLog("Rocket Error: Failed to load document b.rml, could not open file.");
    writeDocument("scripts/Rml/a.rml", "<p id='title'>old</p>");
    writeDocument("scripts/Rml/b.rml", "<p>b</p>");
    ASSERT_TRUE(ui().loadDocument("scripts/Rml/a.rml", true));
    // The title element shows the document's title.
    EXPECT_EQ(element("title")->GetInnerRML(), "scripts/Rml/a.rml");

    EXPECT_FALSE(ui().loadDocument("missing.rml", false));
    EXPECT_FALSE(ui().addDocument("missing.rml", true));
    EXPECT_EQ(root(), "scripts/Rml/a.rml");
    EXPECT_EQ(variable("LOADED_DOCUMENTS"), "scripts/Rml/a.rml");
    EXPECT_EQ(urls(), std::vector<std::string>{"scripts/Rml/a.rml"});

    // Relative to the current directory on the second try; the variable keeps the path given.
    ASSERT_TRUE(ui().addDocument("b.rml", false));
    EXPECT_EQ(variable("LOADED_DOCUMENTS"), "scripts/Rml/a.rml b.rml");
    EXPECT_EQ(urls(), (std::vector<std::string>{"scripts/Rml/a.rml", "scripts/Rml/b.rml"}));
    EXPECT_FALSE(ui().getCurrentDocuments()[1]->IsVisible());
    EXPECT_EQ(ui().findDocument("scripts/Rml/b.rml"), ui().getCurrentDocuments()[1]);
    EXPECT_TRUE(ui().showDocument("scripts/Rml/b.rml"));
    EXPECT_TRUE(ui().getCurrentDocuments()[1]->IsVisible());
    EXPECT_TRUE(ui().hideDocument("scripts/Rml/b.rml"));
    EXPECT_FALSE(ui().getCurrentDocuments()[1]->IsVisible());
    EXPECT_FALSE(ui().showDocument("b.rml"));

    ui().closeCurrentDocuments();
    EXPECT_TRUE(urls().empty());
    EXPECT_EQ(root(), "");
    EXPECT_EQ(variable("LOADED_DOCUMENTS"), "");
}

TEST_F(RocketDocumentTest, DocumentsFromMemoryNeedATerminatedTextAndATitle) {
    const char text[] = "<rml><body><p id='m'>memory</p></body></rml>";
    const unsigned size = sizeof(text) - 1;
    EXPECT_FALSE(ui().loadDocument(text, size, ""));
    EXPECT_FALSE(ui().loadDocument(text, 0, "t"));
    EXPECT_FALSE(ui().loadDocument(text, size - 1, "t"));
    EXPECT_FALSE(ui().addDocument(text, size - 1, "t", true));
    EXPECT_TRUE(variable("LOADED_DOCUMENTS").empty());

    ASSERT_TRUE(ui().loadDocument(text, size, "first"));
    ASSERT_TRUE(ui().addDocument(text, size, "second", false));
    EXPECT_EQ(variable("LOADED_DOCUMENTS").find(" document loaded from memory address 0x"), 0u);
    // Documents from memory are found by their titles; the root document stays unset.
    EXPECT_EQ(ui().findDocument("second"), ui().getCurrentDocuments()[1]);
    EXPECT_EQ(ui().findDocument("[document from memory]"), nullptr);
    EXPECT_EQ(root(), "");
}

TEST_F(RocketDocumentTest, ReloadDropsDocumentsThatNoLongerLoad) {
    trellin_test::expectLog("Rocket Error: Failed to load document b.rml, could not open file.");
    trellin_test::expectLog(
        "Rocket Error: Failed to load document scripts/Rml/b.rml, could not open file.");
    writeDocument("scripts/Rml/a.rml", "<p id='p'>a</p>");
    writeDocument("scripts/Rml/b.rml", "<p>b</p>");
    ASSERT_TRUE(ui().loadDocument("scripts/Rml/a.rml", true));
    ASSERT_TRUE(ui().addDocument("b.rml", true));
    ASSERT_TRUE(runAs("p", "get_attribute p id"));  // caches the element

    std::filesystem::remove(files / "scripts/Rml/b.rml");
    writeDocument("scripts/Rml/a.rml", "<p id='p'>changed</p>");
    ui().reloadCurrentDocuments();
    // No empty slot is left behind for the document that is gone.
    EXPECT_EQ(urls(), std::vector<std::string>{"scripts/Rml/a.rml"});
    EXPECT_EQ(variable("LOADED_DOCUMENTS"), " scripts/Rml/a.rml");
    EXPECT_TRUE(ui().getCurrentDocuments()[0]->IsVisible());
    EXPECT_EQ(element("p")->GetInnerRML(), "changed");
    // The cache was emptied: the id names the new element.
    ASSERT_TRUE(runAs("p", "set_attribute p data-x 1"));
    EXPECT_EQ(attribute("p", "data-x"), "1");
    ui().update(0.0);
    ui().closeCurrentDocuments();
}

// A document from memory has no source to read again: the reload says so and closes it.
TEST_F(RocketDocumentTest, ReloadSaysADocumentFromMemoryCannotBeReloaded) {
    trellin_test::expectLog(
        "RocketTcl error: Document \"menu\" was loaded from memory and cannot be reloaded; it is "
        "closed.");
    const char text[] = "<rml><body><p>memory</p></body></rml>";
    ASSERT_TRUE(ui().loadDocument(text, sizeof(text) - 1, "menu"));
    takeLog();
    ui().reloadCurrentDocuments();
    EXPECT_TRUE(urls().empty());
    EXPECT_EQ(takeLog(),
              "\x1b[31mRocketTcl error: \x1b[37mDocument \"menu\" was loaded from memory and "
              "cannot be reloaded; it is closed.\n\x1b[37m");
}

// Loading and adding resolve a path alike, and neither climbs out of the root folder.
TEST_F(RocketDocumentTest, NoDocumentPathLeavesTheRoot) {
    trellin_test::expectLogMatching(
        "Rocket Error: Failed to load document .*-outside/x\\.rml, could not open file\\.", 30);
    trellin_test::expectLogMatching(
        "RocketTcl error: Error in add_document command, document \".*-outside/x\\.rml\" not "
        "found\\. .*",
        6);
    const std::filesystem::path outside = files.path() + "-outside";
    std::filesystem::create_directory(outside);
    std::ofstream(outside / "x.rml") << "<rml><body><p>outside</p></body></rml>";
    struct RemoveOutside {
        ~RemoveOutside() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
        std::filesystem::path path;
    } removeOutside{outside};
    writeDocument("scripts/page.rml", "<p>page</p>");
    ASSERT_TRUE(ui().loadDocument("scripts/page.rml", true));

    const std::string name = outside.filename().string() + "/x.rml";
    for (const std::string& path :
         {"../" + name, "..\\" + name, "../../" + name, "scripts/../../" + name, "./../" + name,
          "scripts/x/../../../" + name}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(ui().addDocument(path.c_str(), true));
        EXPECT_FALSE(runAs("", "add_document {" + path + "}"));
        EXPECT_FALSE(ui().loadDocument(path.c_str(), false));
        EXPECT_EQ(urls(), std::vector<std::string>{"scripts/page.rml"});
    }
    // Inside the root the same steps resolve for both.
    writeDocument("other.rml", "<p>other</p>");
    ASSERT_TRUE(ui().addDocument("../other.rml", false));
    EXPECT_EQ(urls(), (std::vector<std::string>{"scripts/page.rml", "other.rml"}));
}

TEST_F(RocketDocumentTest, UnloadAndPostloadScriptsMayLoadAndCloseDocuments) {
    trellin_test::expectLog("Rocket Error: Failed to load document a.rml, could not open file.");
    trellin_test::expectLog("Rocket Error: Failed to load document b.rml, could not open file.");
    trellin_test::expectLog("Rocket Error: Failed to load document c.rml, could not open file.", 2);
    writeDocument("scripts/Rml/a.rml", "<p>a</p>", "onunload='add_document c.rml'");
    writeDocument("scripts/Rml/b.rml", "<p>b</p>", "onunload='load_document d.rml'");
    writeDocument("scripts/Rml/c.rml", "<p>c</p>", "onpostload='load_document e.rml'");
    writeDocument("scripts/Rml/d.rml", "<p>d</p>");
    writeDocument("scripts/Rml/e.rml", "<p>e</p>", "onpostload='call e posted'");
    ASSERT_TRUE(ui().loadDocument("scripts/Rml/d.rml", true));
    ASSERT_TRUE(ui().addDocument("a.rml", true));
    ASSERT_TRUE(ui().addDocument("b.rml", true));

    // Closing a adds c; closing b loads d as the root, which replaces everything loaded so far.
    ASSERT_TRUE(ui().loadDocument("scripts/Rml/e.rml", true));
    EXPECT_EQ(root(), "scripts/Rml/d.rml");
    EXPECT_EQ(urls(), std::vector<std::string>{"scripts/Rml/d.rml"});

    // c's postload script replaces c itself while the postload list is being worked off; the
    // new document still gets its own postload.
    ui().registerGlobalEventHandler("log", handler("g"));
    ASSERT_TRUE(ui().addDocument("c.rml", true));
    ui().update(0.0);
    ui().update(0.0);
    EXPECT_EQ(urls(), std::vector<std::string>{"scripts/Rml/e.rml"});
    EXPECT_EQ(events, std::vector<std::string>{"g:call:e posted"});
}

TEST_F(RocketDocumentTest, FontSizeScalesByTheReferenceSize) {
    GraphicsSystem::instance_->getCurrentRenderTarget()->setDisplayDimensions(512, 600);
    writeDocument("scaled.rml", "<p>x</p>", "reference_width='1024' reference_height='600'");
    writeDocument("plain.rml", "<p>x</p>");
    writeDocument("halfway.rml", "<p>x</p>", "reference_width='1024'");
    ASSERT_TRUE(ui().loadDocument("scaled.rml", true));
    EXPECT_FLOAT_EQ(ui().getDefaultDocument()->GetProperty<float>("font-size"), 10.0f);
    ASSERT_TRUE(ui().loadDocument("plain.rml", true));
    EXPECT_FLOAT_EQ(ui().getDefaultDocument()->GetProperty<float>("font-size"), 20.0f);
    ASSERT_TRUE(ui().loadDocument("halfway.rml", true));
    EXPECT_FLOAT_EQ(ui().getDefaultDocument()->GetProperty<float>("font-size"), 20.0f);
}

TEST_F(RocketDocumentTest, VariablesAfterConstructionUpdateAndInput) {
    trellin_test::expectLog("RocketTcl error: can't set \"PLATFORM(x)\": variable isn't array");
    EXPECT_EQ(variable("PLATFORM"), "PLAYBOOK");
    EXPECT_EQ(variable("BUILD_CONFIG"), "FINAL");
    EXPECT_EQ(variable("DELTA_TIME"), "0.0");
    EXPECT_EQ(variable("LOADED_DOCUMENTS"), "");
    EXPECT_EQ(variable("NOT_SET"), "");

    // Before any resolution there is no share of the window to give.
    ui().setMousePosition(512, 300);
    EXPECT_EQ(variable("MOUSE_X"), "512.0");
    EXPECT_EQ(variable("MOUSE_X_PERCENT"), "0.0");
    EXPECT_EQ(variable("MOUSE_Y_PERCENT"), "0.0");

    ui().update(0.016);
    EXPECT_EQ(variable("DELTA_TIME"), "0.016000");
    ui().setResolution(1024, 600);
    EXPECT_EQ(variable("WINDOW_WIDTH"), "1024.0");
    EXPECT_EQ(variable("WINDOW_HEIGHT"), "600.0");
    ui().setMousePosition(512, 150);
    EXPECT_EQ(variable("MOUSE_Y"), "150.0");
    EXPECT_EQ(variable("MOUSE_X_PERCENT"), "50.0");
    EXPECT_EQ(variable("MOUSE_Y_PERCENT"), "25.0");

    Array<int> numbers;
    numbers.pushBack(1);
    numbers.pushBack(-2);
    ui().setVariableValue("NUMBERS", numbers);
    EXPECT_EQ(variable("NUMBERS"), "1 -2");
    Array<ZqString> words;
    words.pushBack("a b");
    words.pushBack("c");
    ui().setVariableValue("WORDS", words);
    EXPECT_EQ(variable("WORDS"), "{a b} c");
    ui().setVariableValue("WORDS", Array<ZqString>());
    EXPECT_EQ(variable("WORDS"), "");
    takeLog();

    // A one-word value has no elements to set.
    ui().setVariableValue("PLATFORM(x)", "1");
    EXPECT_EQ(takeLog(),
              "\x1b[31mRocketTcl error: \x1b[37mcan't set \"PLATFORM(x)\": variable isn't "
              "array\n\x1b[37m");
}

// With no document open the focus and pointer calls find nothing to act on: they write
// nothing, the focus stays on the context's root, and a document opened afterwards takes its
// clicks as if the calls had not been made.
TEST_F(RocketDocumentTest, FocusAndPointerCallsWithoutDocumentsLeaveNothingBehind) {
    takeLog();
    ui().focusOnNone();
    ui().focusOff();
    ui().selectFocusedElement();
    ui().focusOnNext();
    ui().setMousePosition(150, 120);
    ui().setMouseButtonDown(RocketSystem::MOUSE_BUTTON_LEFT);
    ui().setMouseButtonUp(RocketSystem::MOUSE_BUTTON_LEFT);
    EXPECT_EQ(takeLog(), "");
    EXPECT_EQ(ui().getContext()->GetFocusElement(), ui().getContext()->GetRootElement());

    writeDocument("press.rml",
                  "<div id='button' style='position: absolute; left: 100px; top: 100px; "
                  "width: 200px; height: 80px;' onclick='call pressed'/>");
    ASSERT_TRUE(ui().loadDocument("press.rml", true));
    ui().registerGlobalEventHandler("log", handler("g"));
    ui().setMouseButtonDown(RocketSystem::MOUSE_BUTTON_LEFT);
    ui().setMouseButtonUp(RocketSystem::MOUSE_BUTTON_LEFT);
    EXPECT_EQ(events, std::vector<std::string>{"g:call:pressed"});
}

TEST_F(RocketDocumentTest, FocusMovesBetweenTabStopsAndSelectingSendsMouseDown) {
    const char* stop = "tab-index: auto; focus: auto; display: block; height: 20px;";
    writeDocument("focus.rml", std::string("<div id='one' style='") + stop +
                                   "' onmousedown='call down one' onfocus='call focus one'/>" +
                                   "<div id='two' style='" + stop + "' onfocus='call focus two'/>");
    ASSERT_TRUE(ui().loadDocument("focus.rml", true));
    ui().registerGlobalEventHandler("log", handler("g"));
    ui().focusOnNext();
    ui().focusOnNext();
    ui().focusOnPrevious();
    ui().selectFocusedElement();
    EXPECT_EQ(events, (std::vector<std::string>{"g:call:focus one", "g:call:focus two",
                                                "g:call:focus one", "g:call:down one"}));
    // Selecting hands the focus back to the default document.
    EXPECT_EQ(ui().getContext()->GetFocusElement(), ui().getDefaultDocument());
}

TEST_F(RocketDocumentTest, APressAndReleaseOnAnElementClicksIt) {
    writeDocument("press.rml",
                  "<div id='button' style='position: absolute; left: 100px; top: 100px; "
                  "width: 200px; height: 80px;' onclick='call pressed'/>");
    ASSERT_TRUE(ui().loadDocument("press.rml", true));
    ui().registerGlobalEventHandler("log", handler("g"));
    ui().setMousePosition(150, 120);
    ui().setMouseButtonDown(RocketSystem::MOUSE_BUTTON_LEFT);
    ui().setMouseButtonUp(RocketSystem::MOUSE_BUTTON_LEFT);
    ui().setMousePosition(10, 10);
    ui().setMouseButtonDown(RocketSystem::MOUSE_BUTTON_LEFT);
    ui().setMouseButtonUp(RocketSystem::MOUSE_BUTTON_LEFT);
    EXPECT_EQ(events, std::vector<std::string>{"g:call:pressed"});
}

TEST_F(RocketDocumentTest, ACursorDocumentGetsItsPostloadToo) {
    trellin_test::expectLog(
        "Rocket Error: Failed to load cursor scripts/missing.rml, could not open file.");
    writeDocument("scripts/page.rml", "<p>page</p>");
    writeDocument("scripts/cursor.rml", "<p>^</p>", "onpostload='call cursor ready'");
    ASSERT_TRUE(ui().loadDocument("scripts/page.rml", true));
    ui().registerGlobalEventHandler("log", handler("g"));
    // Relative to the current directory; a missing cursor is no error.
    EXPECT_TRUE(ui().loadCursorDocument("missing.rml"));
    EXPECT_TRUE(ui().loadCursorDocument("cursor.rml"));
    ui().update(0.0);
    EXPECT_EQ(events, std::vector<std::string>{"g:call:cursor ready"});
    EXPECT_EQ(ui().getDocument("scripts/page.rml"), ui().getDefaultDocument());
    EXPECT_EQ(ui().getDocument("page.rml"), nullptr);
}

TEST_F(RocketDocumentTest, AfterShutdownNothingNeedsTheContextAndInitialiseStartsAgain) {
    writeDocument("page.rml", "<p>page</p>");
    ASSERT_TRUE(ui().loadDocument("page.rml", true));
    ui().shutdown();
    EXPECT_EQ(ui().getContext(), nullptr);
    EXPECT_TRUE(ui().getCurrentDocuments().empty());
    EXPECT_FALSE(ui().loadDocument("page.rml", true));
    ui().update(0.1);
    ui().render("all");
    ui().setMousePosition(1, 1);
    // The interpreter stays.
    EXPECT_TRUE(ui().executeTclString("set kept 1", "__empty__"));

    ui().initialise();
    ASSERT_TRUE(ui().loadFont("fonts/sans.ttf", ""));
    EXPECT_TRUE(ui().loadDocument("page.rml", true));
    EXPECT_EQ(variable("kept"), "1");
}

}  // namespace
