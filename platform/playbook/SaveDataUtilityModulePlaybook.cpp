#include "platform/playbook/SaveDataUtilityModulePlaybook.h"

#include <cstdio>

#include <unistd.h>

namespace orvo {

SaveDataUtilityModulePlaybook::SaveDataUtilityModulePlaybook() : PlatformModule(SAVE_DATA_MODULE) {}

void SaveDataUtilityModulePlaybook::saveGameData(const unsigned char* data, unsigned int size) {
    if (data == nullptr && size != 0) {
        return;
    }
    std::FILE* file = std::fopen(TEMPORARY_PATH, "wb");
    if (file == nullptr) {
        return;
    }
    bool written = size == 0 || std::fwrite(data, size, 1, file) == 1;
    written = std::fflush(file) == 0 && written;
    written = fsync(fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(TEMPORARY_PATH, SAVE_PATH) != 0) {
        std::remove(TEMPORARY_PATH);
    }
}

bool SaveDataUtilityModulePlaybook::saveGameExists() {
    std::FILE* file = std::fopen(SAVE_PATH, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

void SaveDataUtilityModulePlaybook::loadGameData(unsigned char* data, unsigned int size) {
    if (data == nullptr || size == 0) {
        return;
    }
    std::FILE* file = std::fopen(SAVE_PATH, "rb");
    if (file == nullptr) {
        return;
    }
    // A short record fills only the start of the block; that is not reported.
    [[maybe_unused]] const std::size_t items = std::fread(data, size, 1, file);
    std::fclose(file);
}

}  // namespace orvo
