#include "tools/datawriter/PakWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <map>

#include "core/hash/HashString.h"

namespace trellin {

namespace {

constexpr uint32_t HEADER_BYTES = 8;
constexpr uint32_t ENTRY_BYTES = 16;

bool compressMember(const Bytes& in, Bytes& out) {
    uLongf packed = compressBound(static_cast<uLong>(in.size()));
    out.resize(packed);
    if (compress2(out.data(), &packed, in.data(), static_cast<uLong>(in.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return false;
    }
    out.resize(packed);
    return true;
}

}  // namespace

bool readInPieces(const std::string& path) {
    static const char* const PIECEWISE[] = {".png", ".tga"};
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return false;
    }
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(std::begin(PIECEWISE), std::end(PIECEWISE), extension) != std::end(PIECEWISE);
}

bool buildPak(std::vector<PakMember> members, Bytes& image, std::string& error) {
    std::sort(members.begin(), members.end(),
              [](const PakMember& a, const PakMember& b) { return a.path < b.path; });
    std::map<uint32_t, std::string> hashes;
    for (const PakMember& m : members) {
        if (m.path.empty()) {
            error = "a member has an empty path";
            return false;
        }
        const uint32_t hash = orvo::HashString::calculateHash(m.path.c_str());
        const auto known = hashes.find(hash);
        if (known != hashes.end()) {
            error = known->second == m.path ? "duplicate member " + m.path
                                            : "members " + known->second + " and " + m.path +
                                                  " have the same name hash";
            return false;
        }
        hashes[hash] = m.path;
    }

    const uint64_t dataStart = HEADER_BYTES + uint64_t(ENTRY_BYTES) * members.size();
    Bytes directory;
    Bytes data;
    std::string listing;
    for (const PakMember& m : members) {
        if (m.bytes.size() > std::numeric_limits<uint32_t>::max()) {
            error = "member " + m.path + " is larger than 4 GiB";
            return false;
        }
        Bytes packed;
        // An empty member is always stored: packed size 0 is what marks a stored member.
        const bool compressed = !readInPieces(m.path) && !m.bytes.empty();
        if (compressed && !compressMember(m.bytes, packed)) {
            error = "cannot compress " + m.path;
            return false;
        }
        const Bytes& body = compressed ? packed : m.bytes;
        if (dataStart + data.size() + body.size() > std::numeric_limits<uint32_t>::max()) {
            error = "the archive would be larger than 4 GiB";
            return false;
        }
        putU32(directory, orvo::HashString::calculateHash(m.path.c_str()));
        putU32(directory, static_cast<uint32_t>(data.size()));
        putU32(directory, compressed ? static_cast<uint32_t>(packed.size()) : 0u);
        putU32(directory, static_cast<uint32_t>(m.bytes.size()));
        data.insert(data.end(), body.begin(), body.end());
        listing += m.path;
        listing += '\n';
    }
    const uint64_t listingOffset = dataStart + data.size();
    if (listingOffset + listing.size() > std::numeric_limits<uint32_t>::max()) {
        error = "the archive would be larger than 4 GiB";
        return false;
    }
    image.clear();
    putU32(image, static_cast<uint32_t>(dataStart));
    putU32(image, static_cast<uint32_t>(listingOffset));
    image.insert(image.end(), directory.begin(), directory.end());
    image.insert(image.end(), data.begin(), data.end());
    image.insert(image.end(), listing.begin(), listing.end());
    return true;
}

}  // namespace trellin
