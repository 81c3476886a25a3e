#pragma once

#include "core/log/SaidOnce.h"
#include "platform/playbook/PlatformModule.h"

namespace orvo {

// Keeps the game's save record as one block in "data/save_data" under the working directory.
// The game carries on with its record in memory whatever happens to the file; what goes wrong
// is logged, once a session.
class SaveDataUtilityModulePlaybook : public PlatformModule {
public:
    static constexpr const char* FOLDER = "data";
    static constexpr const char* SAVE_PATH = "data/save_data";
    // Written first and renamed over the record, so that a process ended mid-write never
    // leaves a short or empty record behind.
    static constexpr const char* TEMPORARY_PATH = "data/save_data.tmp";
    // Locked for the life of the game that owns the folder's record.
    static constexpr const char* LOCK_PATH = "data/save_data.lock";

    SaveDataUtilityModulePlaybook();
    ~SaveDataUtilityModulePlaybook() override;
    SaveDataUtilityModulePlaybook(const SaveDataUtilityModulePlaybook&) = delete;
    SaveDataUtilityModulePlaybook& operator=(const SaveDataUtilityModulePlaybook&) = delete;

    // Does nothing once the record was found unreadable or is another game's.
    void saveGameData(const unsigned char* data, unsigned int size);
    // False when there is no record, and when it cannot be opened (it is then left alone).
    bool saveGameExists();
    // A missing record leaves the block untouched; a short one fills only its start.
    void loadGameData(unsigned char* data, unsigned int size);

    // Locks the folder's record for this module's life (making "data" when it is missing).
    // False when another process holds it: this one then never touches the record. A lock
    // that cannot be made at all is logged and not held against the game.
    bool lockRecord();

private:
    // The record open for reading, or -1 when it is missing or cannot be opened.
    int openRecord();
    // The record exists but cannot be read: it stays as it is for the rest of the session.
    void leaveRecordAlone(int error);
    void saveFailed(const char* path, int error);

    int lockFile_ = -1;
    bool recordLeftAlone_ = false;
    SaidOnce saveFailure_;
};

}  // namespace orvo
