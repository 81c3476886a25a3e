#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/text/ZqString.h"
#include "platform/playbook/FileBasePlaybook.h"

namespace orvo {

// The read-only data archive: a directory of members named by the name hash of their path,
// stored or zlib-compressed, followed by a text listing of the member paths. At most one is
// open (FileBase::pakFile_); a file opened while it is idle reads a member of it. Each file
// holds its own cursor into its member, so any number of members may be open and read in any
// order; a cursor outlives the archive that made it only as a refusal.
class PakFile : public FileBasePlaybook {
public:
    // A directory entry, the same on disk (little-endian words) and in memory.
    struct FileEntry {
        uint32_t nameHash;
        uint32_t offset;      // from dataStart
        uint32_t packedSize;  // 0: stored
        uint32_t size;
    };

    PakFile(const ZqString& path, uint32_t inflateBufferSize);
    PakFile(const ZqString& path, const void* image, uint32_t imageSize,
            uint32_t inflateBufferSize);
    ~PakFile() override;

    // Member operations on a file's cursor; a cursor that this archive did not make is refused.
    bool pakOpenFile(const ZqString& name, PakCursor& cursor) const;
    uint32_t pakReadFile(PakCursor& cursor, void* buffer, uint32_t n);
    bool pakSeekFile(PakCursor& cursor, uint32_t position);
    uint32_t pakGetCurrentFileSize(const PakCursor& cursor) const;
    bool pakExists(const ZqString& name) const;
    // Whether the cursor is a member of this archive.
    bool holds(const PakCursor& cursor) const;

    // The file names and subdirectory names that the listing holds under a directory.
    bool readDirectory(const ZqString& directory, Array<ZqString>& files,
                       Array<ZqString>& directories);

    const ZqString& getArchiveName() const { return archiveName_; }
    // The first directory entry of a member path, or null.
    const FileEntry* findEntry(HashString name) const;

private:
    // What both public constructors delegate to: an archive on disk, or an image in memory.
    PakFile(const ZqString& path, const void* image, uint32_t imageSize, uint32_t inflateBufferSize,
            bool openFromDisk);
    void construct();
    bool fail();
    uint32_t pakRead(void* buffer, uint32_t n);
    bool pakSeek(uint32_t position);
    void pakClose();
    uint32_t pakGetFileSize();

    // Archive I/O that keeps archivePosition_ equal to where the archive really stands.
    bool moveTo(uint32_t absolute);
    uint32_t readRetrying(void* buffer, uint32_t n);
    uint32_t inflateMember(const PakCursor& cursor, void* buffer, uint32_t n);
    bool inBounds(const FileEntry& entry) const;

    ZqString archiveName_;
    uint32_t serial_;
    uint32_t dataStart_;
    uint32_t listingOffset_;
    Array<FileEntry> directory_;
    uint32_t archivePosition_;
    const unsigned char* ramImage_;
    uint32_t ramImageSize_;
    uint32_t ramPosition_;
    unsigned char* inflateBuffer_;
    uint32_t inflateBufferSize_;
    uint32_t archiveSize_;
};

static_assert(sizeof(PakFile::FileEntry) == 16, "directory entries are 16 bytes on disk");

}  // namespace orvo
