#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/text/ZqString.h"

namespace orvo {

class PakFile;

// An abstract file: closed, open on a raw file (or archive member), or a memory file over a
// block of bytes. Operations return false or 0 and leave a numeric error code in the object;
// nothing throws, and only an archive member that cannot be read as asked is logged (see
// PakFile). Paths are relative to the root path, may use "\" or "/" and never lead out of it.
// A platform class fills in the raw operations; a file opened while an archive is open reads
// the archive's member (see FileBasePlaybook).
class FileBase {
public:
    enum State { STATE_CLOSED = 0, STATE_OPEN = 1, STATE_MEMORY = 2 };

    enum Error {
        ERROR_NONE = 0,
        ERROR_NOT_FOUND = 1,         // empty path, or the raw open failed
        ERROR_NOT_OPEN = 2,          // the operation needs an open file
        ERROR_ALREADY_OPEN = 3,      // open while open; memory address of a raw file
        ERROR_MEMORY_FILE_OPEN = 4,  // open while a memory file is open
        ERROR_NOTHING_TO_READ = 5,   // empty memory file, or a load into memory read nothing
        ERROR_READ_ON_WRITE = 6,
        ERROR_WRITE_ON_READ = 7,
        ERROR_ZERO_READ = 8,   // read of 0 elements of size 0
        ERROR_SHORT_READ = 9,  // fewer bytes than asked, or getLine at the end
        ERROR_WRITE_FAILED = 10,
        ERROR_WRITE_BEHIND_END = 11,  // writeString while the position is behind the size
        ERROR_SEEK_FAILED = 12
    };

    // The flag of writeString: a line end follows the text unless told otherwise.
    enum FileFlag { FLAG_LINE_END = 0, FLAG_TEXT_ONLY = 1 };

    // Status of the one open archive (pakFileStatus_).
    enum PakStatus { PAK_NONE = 0, PAK_IDLE = 1, PAK_BUSY = 2 };

    struct RegisteredRamPakFile {
        ZqString name;
        const unsigned char* data;
        uint32_t size;
    };

    FileBase();
    virtual ~FileBase();
    FileBase(const FileBase&) = delete;
    FileBase& operator=(const FileBase&) = delete;

    bool open(const ZqString& path, bool loadToMemory = false, int category = 0);
    bool open(const char* path, bool loadToMemory = false, int category = 0);
    // A caller-owned block read as a file; the block must outlive the open.
    bool open(const void* bytes, uint32_t size);
    bool openForWriting(const ZqString& path);
    bool openForWriting(const char* path);
    bool openForAppending(const ZqString& path);
    bool openForAppending(const char* path);
    bool close();

    virtual bool seek(uint32_t position);
    virtual uint32_t seekBy(int delta);
    virtual void reset() {}

    // The size, or for a file opened for writing the bytes written so far.
    uint32_t size();
    const void* getRamFileAddress();

    int getError() const { return error_; }
    int getState() const { return state_; }
    bool isEnd() const { return end_; }
    bool isWriting() const { return writing_; }
    uint32_t getPosition() const { return position_; }
    const ZqString& getName() const { return name_; }

    // The one open archive and the registered archive images in memory.
    static bool openPakFile(const ZqString& path);
    static bool closePakFile();
    static bool registerRamPakFile(const ZqString& name, const void* data, uint32_t size);
    static bool unregisterRamPakFile(const ZqString& name);

    static void setRootPath(const ZqString& path);
    static void setDeviceString(const ZqString& path);
    static void setApplicationDataPath(const ZqString& path);
    static void setExecutable(const ZqString& path);
    static const ZqString& getRootPath();
    static const ZqString& getDeviceString();
    static const ZqString& getApplicationDataPath();
    static const ZqString& getExecutable();

    static PakFile* pakFile_;
    static int pakFileStatus_;

protected:
    virtual bool rawOpenRead(const ZqString& path) = 0;
    virtual bool rawOpenWrite(const ZqString& path) = 0;
    virtual bool rawOpenAppend(const ZqString& path) = 0;
    virtual bool rawClose() = 0;
    virtual uint32_t rawGetFileSize() = 0;
    virtual bool rawSeek(uint32_t position) = 0;
    virtual bool rawGood() = 0;
    virtual uint32_t rawRead(void* buffer, uint32_t n) = 0;
    virtual bool rawWrite(const void* buffer, uint32_t n) = 0;
    virtual bool rawEof() = 0;
    virtual bool rawExists(const ZqString& path) = 0;
    virtual bool rawDeleteFile(const ZqString& path) = 0;
    virtual bool rawReadDirectory(const ZqString& path, Array<ZqString>& files,
                                  Array<ZqString>& directories) = 0;
    virtual ZqString rawGetExecutablePath() { return ZqString(); }
    virtual ZqString rawGetApplicationDataPath() { return ZqString(); }

    // Makes the archive that a full path names the open one and returns its member path in
    // member; false, with no archive open, when the path names no archive member.
    static bool selectArchive(const ZqString& full, ZqString& member);
    // The name a path is read by, the same for open and exists: "\" becomes "/"; a path under
    // an archive makes that archive the open one and gives the member path, any other closes
    // the open archive and stays relative to the root; "/./" is collapsed to "/" in either.
    static ZqString resolvePath(const ZqString& path);
    // What the raw operations take for a resolved name: the member path while an archive is
    // open, else the full path of the loose file.
    static ZqString rawPath(const ZqString& name);
    static ZqString fullPath(const ZqString& path);
    // True for a path with a ".." step ("/" or "\" between steps): the one way a path joined
    // to the root could lead out of it, so no access takes one. (An absolute path is joined
    // under the root like any other.)
    static bool climbsOutOfRoot(const ZqString& path);
    // The write guard of the file types: false, with the error set, unless open for writing.
    bool checkCanWrite();

    int error_;
    int state_;
    bool end_;
    bool writing_;
    uint32_t size_;
    uint32_t position_;
    ZqString name_;
    const unsigned char* memory_;
    unsigned char* ownedCopy_;

private:
    // False, with the error set, while a raw or a memory file is open.
    bool checkCanOpen();
    // Reads the whole raw file into an owned copy and makes it a memory file.
    bool loadIntoMemory(int category);
    bool openRawForWrite(const ZqString& path, bool append);
    void releaseOwnedCopy();
};

}  // namespace orvo
