#include "core/file/RootStringStore.h"

#include "core/text/StringFunctions.h"

namespace orvo {

RootStringStore& RootStringStore::get() {
    static RootStringStore store;
    return store;
}

ZqString RootStringStore::asDirectory(const ZqString& path) {
    ZqString result(path);
    searchAndReplace(&result, '\\', '/');
    if (!result.empty() && result.back() != '/') {
        result.push_back('/');
    }
    return result;
}

}  // namespace orvo
