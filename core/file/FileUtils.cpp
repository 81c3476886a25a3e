#include "core/file/FileUtils.h"

#include <algorithm>

#include "core/text/StringFunctions.h"

namespace orvo {

namespace {

ZqString withForwardSlashes(const ZqString& path) {
    ZqString result(path);
    searchAndReplace(&result, '\\', '/');
    return result;
}

void swapElements(void* data, std::size_t elementSize, std::size_t count) {
    unsigned char* bytes = static_cast<unsigned char*>(data);
    for (std::size_t i = 0; i < count; ++i, bytes += elementSize) {
        std::reverse(bytes, bytes + elementSize);
    }
}

}  // namespace

bool FileUtils::exists(const ZqString& path) {
    FileUtils file;
    return !climbsOutOfRoot(path) && file.rawExists(rawPath(resolvePath(path)));
}

bool FileUtils::createDirectory(const ZqString& path) {
    FileUtils file;
    return !climbsOutOfRoot(path) && file.rawCreateDirectory(fullPath(path));
}

bool FileUtils::deleteFile(const ZqString& path) {
    FileUtils file;
    return !climbsOutOfRoot(path) && file.rawDeleteFile(fullPath(withForwardSlashes(path)));
}

ZqString FileUtils::getExecutablePath() {
    if (getExecutable().empty()) {
        FileUtils file;
        ZqString answer = file.rawGetExecutablePath();
        if (!answer.empty()) {
            answer.push_back('/');
        }
        setExecutable(answer);
    }
    return getExecutable();
}

void FileUtils::endianSwap16(void* data, std::size_t count) { swapElements(data, 2, count); }
void FileUtils::endianSwap32(void* data, std::size_t count) { swapElements(data, 4, count); }
void FileUtils::endianSwap64(void* data, std::size_t count) { swapElements(data, 8, count); }

void FileUtils::endianSwap(void* data, std::size_t elementSize, std::size_t count) {
    if (elementSize == 2 || elementSize == 4 || elementSize == 8) {
        swapElements(data, elementSize, count);
    }
}

}  // namespace orvo
