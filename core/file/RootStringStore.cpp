#include "core/file/RootStringStore.h"

namespace orvo {

RootStringStore& RootStringStore::get() {
    static RootStringStore store;
    return store;
}

ZqString RootStringStore::asDirectory(const ZqString& path) {
    ZqString result(path);
    for (char& c : result) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (!result.empty() && result.back() != '/') {
        result.push_back('/');
    }
    return result;
}

}  // namespace orvo
