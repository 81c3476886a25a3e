#pragma once

#include "platform/playbook/PlatformModule.h"

namespace orvo {

// Keeps the game's save record as one block in "data/save_data" under the working directory.
// File errors are silent, as the game carries on with its record in memory.
class SaveDataUtilityModulePlaybook : public PlatformModule {
public:
    static constexpr const char* SAVE_PATH = "data/save_data";
    // Written first and renamed over the record, so that a process ended mid-write never
    // leaves a short or empty record behind.
    static constexpr const char* TEMPORARY_PATH = "data/save_data.tmp";

    SaveDataUtilityModulePlaybook();

    void saveGameData(const unsigned char* data, unsigned int size);
    bool saveGameExists();
    // A missing record leaves the block untouched; a short one fills only its start.
    void loadGameData(unsigned char* data, unsigned int size);
};

}  // namespace orvo
