#include "lib/tablet/strm.h"

#include <cerrno>

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/StreamDictionary.h"

using tablet::CallTrace;

namespace {

CallTrace traceDict(const char* function, const strm_dict_t* dict) {
    CallTrace trace(function);
    trace.handle("dict", dict ? dict->serial : 0, dict != nullptr);
    return trace;
}

}  // namespace

extern "C" {

strm_dict_t* strm_dict_new(void) {
    strm_dict_t* dict = new strm_dict{CallTrace::nextSerial(), {}};
    CallTrace("strm_dict_new").resultHandle("dict", dict->serial, true);
    return dict;
}

strm_dict_t* strm_dict_set(strm_dict_t* dict, const char* key, const char* value) {
    CallTrace trace = traceDict("strm_dict_set", dict);
    trace.text(key).text(value);
    if (!dict || !key || !value) {
        delete dict;
        errno = EINVAL;
        trace.resultHandle("dict", 0, false);
        return nullptr;
    }
    dict->set(key, value);
    trace.resultHandle("dict", dict->serial, true);
    return dict;
}

int strm_dict_destroy(strm_dict_t* dict) {
    CallTrace trace = traceDict("strm_dict_destroy", dict);
    if (!dict) {
        errno = EINVAL;
        return trace.result(-1);
    }
    delete dict;
    return trace.result(0);
}

}  // extern "C"
