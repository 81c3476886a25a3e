#pragma once

#include <gtest/gtest.h>

#include <Rocket/Core.h>

#include <boost/shared_ptr.hpp>
#include <string>
#include <vector>

#include "tests/core/file/TempDirectory.h"
#include "ui/EventHandler.h"
#include "ui/RocketSystem.h"

namespace ui_test {

// Every event a handler receives, as "<handler>:<type>:<value>".
class RecordingHandler : public EventHandler {
public:
    RecordingHandler(std::string name, std::vector<std::string>* log)
        : name_(std::move(name)), log_(log) {}
    void processEvent(Rocket::Core::Element* element, const orvo::ZqString& eventType,
                      const orvo::ZqString& value) override;

    Rocket::Core::Element* lastElement = nullptr;

private:
    std::string name_;
    std::vector<std::string>* log_;
};

// The UI service over files in a fresh root folder: a graphics service whose 1024 x 600 target
// has no GL behind it, a string table with a few keys, DejaVu Sans as fonts/sans.ttf, and the
// logger's console captured.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    orvo::RocketSystem& ui() const { return *orvo::RocketSystem::instance_; }
    // Writes a file under the root path.
    void write(const std::string& path, const std::string& text) const;
    // An RML document with the body's attributes and content.
    void writeDocument(const std::string& path, const std::string& body,
                       const std::string& bodyAttributes = "", const std::string& style = "") const;
    // The interpreter's result after the last script.
    std::string result() const;
    // Runs a script as the event of the element with that id (of the default document).
    bool runAs(const std::string& id, const std::string& script);
    Rocket::Core::Element* element(const std::string& id) const;
    std::string attribute(const std::string& id, const std::string& name) const;
    std::string variable(const std::string& name) const {
        return ui().getVariableValue(name.c_str()).c_str();
    }
    boost::shared_ptr<RecordingHandler> handler(const std::string& name);

    // Logger console output since the last call; ANSI escapes included.
    std::string takeLog();

    trellin_test::TempDirectory files;
    std::vector<std::string> events;
    std::string console;
};

}  // namespace ui_test
