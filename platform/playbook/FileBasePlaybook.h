#pragma once

#include <cstdio>

#include "core/file/FileBase.h"
#include "core/file/PakCursor.h"

namespace orvo {

// File access over standard C streams and POSIX directory calls. A file opened for reading
// while an archive is open and idle reads that archive's member through its own cursor; any
// other file reads its own stream, whatever archive opens or closes meanwhile. Only regular
// files open, and no open waits (see RegularFile). Writing and appending always go to the file
// system. C streams rather than C++ ones keep the archive object small enough for its memory
// category.
class FileBasePlaybook : public FileBase {
public:
    FileBasePlaybook();
    ~FileBasePlaybook() override;

protected:
    bool rawOpenRead(const ZqString& path) override;
    bool rawOpenWrite(const ZqString& path) override;
    bool rawOpenAppend(const ZqString& path) override;
    bool rawClose() override;
    uint32_t rawGetFileSize() override;
    bool rawSeek(uint32_t position) override;
    bool rawGood() override;
    uint32_t rawRead(void* buffer, uint32_t n) override;
    bool rawWrite(const void* buffer, uint32_t n) override;
    bool rawEof() override;
    bool rawExists(const ZqString& path) override;
    bool rawDeleteFile(const ZqString& path) override;
    bool rawReadDirectory(const ZqString& path, Array<ZqString>& files,
                          Array<ZqString>& directories) override;
    bool rawCreateDirectory(const ZqString& path);

    // True while the archive serves the read-side raw operations.
    static bool archiveServes();

private:
    bool openOutput(const ZqString& path, bool append);
    bool readsMember() const { return member_.archive != 0; }
    // The open archive when it is the one this file's member came from; else null, with the
    // loss logged.
    PakFile* memberArchive() const;

    FILE* input_;
    FILE* output_;
    bool outputInUse_;
    PakCursor member_;
};

}  // namespace orvo
