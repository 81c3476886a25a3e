#pragma once

#include <cstdio>
#include <string>

namespace trellin {

// The commands of trellin-pak. Each returns the process exit code; results go to out and
// error messages to err.
class PakTool {
public:
    PakTool(FILE* out, FILE* err) : out_(out), err_(err) {}

    int run(int argc, const char* const* argv);

    // Packs every regular file under directory, each stored or compressed by the archive rule
    // (tools/datawriter/PakWriter.h).
    int create(const std::string& archive, const std::string& directory);
    // One line per member: path, size, packed size (0 for a stored member).
    int list(const std::string& archive);
    // Writes every member under directory, through the engine's archive reader.
    int extract(const std::string& archive, const std::string& directory);

private:
    int fail(const std::string& message);
    bool readListing(const std::string& archive, std::string& listing);

    FILE* out_;
    FILE* err_;
};

}  // namespace trellin
