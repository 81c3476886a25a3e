#include <vector>

#include <gtest/gtest.h>
#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "platform/playbook/PlatformInterface.h"
#include "platform/playbook/SaveDataUtilityModulePlaybook.h"

namespace {

using orvo::HashString;
using orvo::PlatformModule;

class RecordingModule : public PlatformModule {
public:
    RecordingModule(HashString id, int moduleTag, std::vector<int>* log)
        : PlatformModule(id), tag(moduleTag), log_(log) {}
    void registerModule() override { log_->push_back(tag); }

    const int tag;

private:
    std::vector<int>* log_;
};

TEST(PlatformInterfaceTest, ModulesAreFoundByIdInTheOrderAdded) {
    orvo::PlatformInterface platform;
    std::vector<int> registered;
    platform.addModule(boost::make_shared<RecordingModule>("A", 1, &registered));
    platform.addModule(boost::make_shared<RecordingModule>("B", 2, &registered));
    platform.addModule(boost::make_shared<RecordingModule>("A", 3, &registered));

    EXPECT_TRUE(platform.isModuleAvailable("B"));
    EXPECT_FALSE(platform.isModuleAvailable("C"));
    EXPECT_FALSE(platform.getModule("C"));
    EXPECT_EQ(platform.getModule<RecordingModule>("A")->tag, 1);
    EXPECT_EQ(platform.getModule("B")->getModuleId(), HashString("B"));

    platform.registerModules();
    EXPECT_EQ(registered, (std::vector<int>{1, 2, 3}));
}

TEST(PlatformInterfaceTest, OneInstanceServesTheProcess) {
    orvo::PlatformInterface* platform = orvo::PlatformInterface::getInstance();
    ASSERT_NE(platform, nullptr);
    EXPECT_EQ(orvo::PlatformInterface::getInstance(), platform);
    platform->addModule(boost::make_shared<orvo::SaveDataUtilityModulePlaybook>());
    EXPECT_TRUE(orvo::PlatformInterface::getInstance()->isModuleAvailable(orvo::SAVE_DATA_MODULE));
}

}  // namespace
