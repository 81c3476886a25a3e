#pragma once

#include <cstdio>

#include "core/file/FileBase.h"

namespace orvo {

// File access over standard C streams and POSIX directory calls. The read-side raw
// operations go to the open archive's current member whenever an archive is open and idle,
// whichever file object calls them; writing and appending always go to the file system.
// C streams rather than C++ ones keep the archive object small enough for its memory
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
    bool openOutput(const ZqString& path, const char* mode);

    FILE* input_;
    FILE* output_;
    bool outputInUse_;
};

}  // namespace orvo
