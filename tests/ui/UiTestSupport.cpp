#include "tests/ui/UiTestSupport.h"

#include <chrono>

#include <jim.h>

#include "core/locator/ServiceSingleton.h"
#include "core/strings/ZqStringTable.h"
#include "graphics/GraphicsSystem.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/UiServiceSetup.h"
#include "ui/RocketStrings.h"

using namespace orvo;

namespace ui_test {

void RecordingHandler::processEvent(Rocket::Core::Element* element, const ZqString& eventType,
                                    const ZqString& value) {
    lastElement = element;
    log_->push_back(name_ + ":" + eventType.c_str() + ":" + value.c_str());
}

void UiTest::SetUp() {
    trellin_test::copyLog(&console);

    ASSERT_NE(Locator::registerService<GraphicsSystem>("GraphicsSystem"), nullptr);
    GraphicsSystem::instance_->getCurrentRenderTarget()->setDisplayDimensions(1024, 600);

    ASSERT_TRUE(startUiService(files));
    // Heavy but finite scripts must not meet the second a page gets when the machine is loaded
    // (parallel tests, a sanitizer build); the tests of the budget set their own.
    ui().getSandbox().setBudget(std::chrono::seconds(20));
    ASSERT_TRUE(startStringTable(files, {{"S_START", "Démarrer"}, {"S_SAME", "S_SAME"}}));
}

void UiTest::TearDown() {
    Locator::deregisterService<RocketSystem>();
    Locator::deregisterService<ZqStringTable>();
    Locator::deregisterService<GraphicsSystem>();
    trellin_test::copyLog(nullptr);
    FileBase::setRootPath(ZqString());
}

void UiTest::write(const std::string& path, const std::string& text) const {
    files.write(path, text);
}

void UiTest::writeDocument(const std::string& path, const std::string& body,
                           const std::string& bodyAttributes, const std::string& style) const {
    write(path, "<rml><head><title>" + path + "</title><style>body { font-family: DejaVu Sans; " +
                    "font-size: 20px; } " + style + "</style></head><body " + bodyAttributes + ">" +
                    body + "</body></rml>");
}

std::string UiTest::result() const { return Jim_String(Jim_GetResult(ui().getInterpreter())); }

bool UiTest::runAs(const std::string& id, const std::string& script) {
    ui().setEventElement(id.empty() ? nullptr : element(id));
    return ui().executeTclString(script.c_str(), "test");
}

Rocket::Core::Element* UiTest::element(const std::string& id) const {
    for (Rocket::Core::ElementDocument* document : ui().getCurrentDocuments()) {
        if (Rocket::Core::Element* found = document->GetElementById(id)) {
            return found;
        }
    }
    return nullptr;
}

std::string UiTest::attribute(const std::string& id, const std::string& name) const {
    Rocket::Core::Element* found = element(id);
    return found != nullptr ? found->GetAttribute<Rocket::Core::String>(name, "") : "<none>";
}

boost::shared_ptr<RecordingHandler> UiTest::handler(const std::string& name) {
    return boost::shared_ptr<RecordingHandler>(new RecordingHandler(name, &events));
}

std::string UiTest::takeLog() {
    std::string text;
    text.swap(console);
    return text;
}

}  // namespace ui_test
