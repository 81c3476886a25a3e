#include "tools/pak/PakTool.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/file/BinaryFile.h"
#include "core/file/PakFile.h"
#include "tools/datawriter/PakWriter.h"

namespace trellin {

namespace fs = std::filesystem;

namespace {

constexpr uint64_t MAX_INFLATE_RATIO = 1032;

const char* const USAGE =
    "usage: trellin-pak create OUT.pak DIR\n"
    "       trellin-pak list FILE.pak\n"
    "       trellin-pak extract FILE.pak DIR\n";

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty()) {
                lines.push_back(line);
            }
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// A member path may not leave the extraction directory.
bool safeMemberPath(const std::string& path) {
    if (path.empty() || path[0] == '/') {
        return false;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        if (segment.empty() || segment == "." || segment == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

int PakTool::fail(const std::string& message) {
    std::fprintf(err_, "trellin-pak: %s\n", message.c_str());
    return 1;
}

int PakTool::run(int argc, const char* const* argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "create" && argc == 4) {
        return create(argv[2], argv[3]);
    }
    if (command == "list" && argc == 3) {
        return list(argv[2]);
    }
    if (command == "extract" && argc == 4) {
        return extract(argv[2], argv[3]);
    }
    std::fputs(USAGE, err_);
    return 2;
}

int PakTool::create(const std::string& archive, const std::string& directory) {
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        return fail("not a directory: " + directory);
    }
    std::vector<PakMember> members;
    fs::recursive_directory_iterator it(directory, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            continue;
        }
        PakMember member;
        member.path = fs::relative(it->path(), directory, ec).generic_string();
        std::string error;
        if (ec || !readFileBytes(it->path().string(), member.bytes, error)) {
            return fail(ec ? "cannot read " + it->path().string() : error);
        }
        members.push_back(std::move(member));
    }
    if (ec) {
        return fail("cannot walk " + directory + ": " + ec.message());
    }
    Bytes image;
    std::string error;
    if (!buildPak(std::move(members), image, error) || !writeFileBytes(archive, image, error)) {
        return fail(error);
    }
    return 0;
}

bool PakTool::readListing(const std::string& archive, std::string& listing) {
    Bytes bytes;
    std::string error;
    if (!readFileBytes(archive, bytes, error) || bytes.size() < 8) {
        return false;
    }
    const uint32_t offset = getU32(bytes, 4);
    if (offset > bytes.size()) {
        return false;
    }
    listing.assign(bytes.begin() + offset, bytes.end());
    return true;
}

int PakTool::list(const std::string& archive) {
    std::string listing;
    orvo::FileBase::closePakFile();
    if (!readListing(archive, listing) || !orvo::FileBase::openPakFile(archive.c_str())) {
        return fail("not a valid archive: " + archive);
    }
    int status = 0;
    for (const std::string& path : splitLines(listing)) {
        const orvo::PakFile::FileEntry* entry =
            orvo::FileBase::pakFile_->findEntry(orvo::HashString(path.c_str()));
        if (entry == nullptr) {
            status = fail("listed path has no member: " + path);
            continue;
        }
        std::fprintf(out_, "%s %u %u\n", path.c_str(), entry->size, entry->packedSize);
    }
    orvo::FileBase::closePakFile();
    return status;
}

int PakTool::extract(const std::string& archive, const std::string& directory) {
    // Members are read the engine's way, under a root path that names the archive.
    if (archive.size() < 4 || archive.find(".pak") != archive.size() - 4) {
        return fail("the archive's name must end in .pak and hold no other .pak: " + archive);
    }
    std::string listing;
    orvo::FileBase::closePakFile();
    if (!readListing(archive, listing) || !orvo::FileBase::openPakFile(archive.c_str())) {
        return fail("not a valid archive: " + archive);
    }
    orvo::FileBase::closePakFile();
    std::error_code sizeError;
    const uint64_t archiveSize = fs::file_size(archive, sizeError);
    const orvo::ZqString oldRoot = orvo::FileBase::getRootPath();
    orvo::FileBase::setRootPath(archive.c_str());
    int status = 0;
    for (const std::string& path : splitLines(listing)) {
        if (!safeMemberPath(path)) {
            status = fail("unsafe member path, not extracted: " + path);
            continue;
        }
        orvo::BinaryFile member;
        if (!member.open(path.c_str())) {
            status = fail("cannot open member " + path);
            continue;
        }
        // zlib expands at most about 1032:1, so a member claiming more than that of the whole
        // archive is damaged: refuse it before sizing a buffer to the claim.
        if (uint64_t(member.size()) > MAX_INFLATE_RATIO * archiveSize) {
            status = fail("cannot read member " + path + " (damaged archive)");
            continue;
        }
        Bytes bytes(member.size());
        if (!bytes.empty() &&
            member.read(bytes.data(), 1, static_cast<uint32_t>(bytes.size())) != bytes.size()) {
            status = fail("cannot read member " + path + " (damaged archive)");
            continue;
        }
        const fs::path target = fs::path(directory) / path;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        std::string error;
        if (ec || !writeFileBytes(target.string(), bytes, error)) {
            status = fail(ec ? "cannot create " + target.parent_path().string() : error);
        }
    }
    orvo::FileBase::closePakFile();
    orvo::FileBase::setRootPath(oldRoot);
    return status;
}

}  // namespace trellin
