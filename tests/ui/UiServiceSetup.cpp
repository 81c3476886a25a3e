#include "tests/ui/UiServiceSetup.h"

#include <filesystem>

#include "core/locator/ServiceSingleton.h"
#include "core/strings/ZqStringTable.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace ui_test {

::testing::AssertionResult startUiService(const trellin_test::TempDirectory& files) {
    FileBase::setRootPath((files.path() + "/").c_str());
    std::error_code ec;
    std::filesystem::create_directories(files / "fonts", ec);
    std::filesystem::create_symlink("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                    files / "fonts/sans.ttf", ec);
    if (Locator::registerService<RocketSystem>("RocketSystem") == nullptr) {
        return ::testing::AssertionFailure() << "no UI service";
    }
    if (!RocketSystem::instance_->loadFont("fonts/sans.ttf", "")) {
        return ::testing::AssertionFailure() << "no font";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult startStringTable(const trellin_test::TempDirectory& files,
                                            const trellin::StringTableEntries& entries) {
    trellin::Bytes table;
    std::string error;
    if (!trellin::buildStringTable(entries, table, error)) {
        return ::testing::AssertionFailure() << error;
    }
    files.write("strings.bin", table);
    if (Locator::registerService<ZqStringTable>("ZqStringTable") == nullptr ||
        !ZqStringTable::instance_->load("strings.bin")) {
        return ::testing::AssertionFailure() << "no string table";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace ui_test
