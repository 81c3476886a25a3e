#include "ui/TclPackageCommand.h"

#include <jim-subcmd.h>
#include <jim.h>

namespace orvo {

namespace {

// Jim gives every package this version.
const char* const VERSION = "1.0";

int provide(Jim_Interp* interp, int, Jim_Obj* const* argv) {
    return Jim_PackageProvide(interp, Jim_String(argv[0]), VERSION, JIM_ERRMSG);
}

int require(Jim_Interp* interp, int, Jim_Obj* const* argv) {
    // As in Jim: a failed require is worth a line of the stack trace.
    interp->addStackTrace++;
    Jim_HashEntry* entry = Jim_FindHashEntry(&interp->packages, Jim_String(argv[0]));
    if (entry == nullptr) {
        Jim_SetResultFormatted(interp, "Can't load package %#s", argv[0]);
        return JIM_ERR;
    }
    Jim_SetResultString(interp, static_cast<const char*>(Jim_GetHashEntryVal(entry)), -1);
    return JIM_OK;
}

int names(Jim_Interp* interp, int, Jim_Obj* const*) {
    Jim_Obj* list = Jim_NewListObj(interp, nullptr, 0);
    Jim_HashTableIterator* iterator = Jim_GetHashTableIterator(&interp->packages);
    for (Jim_HashEntry* entry = Jim_NextHashEntry(iterator); entry != nullptr;
         entry = Jim_NextHashEntry(iterator)) {
        Jim_ListAppendElement(interp, list,
                              Jim_NewStringObj(interp, static_cast<const char*>(entry->key), -1));
    }
    Jim_FreeHashTableIterator(iterator);
    Jim_SetResult(interp, list);
    return JIM_OK;
}

// Jim's table, with the same usage texts and the same abbreviations.
const jim_subcmd_type PACKAGE[] = {
    {"provide", "name ?version?", provide, 1, 2, 0},
    {"require", "name ?version?", require, 1, 2, 0},
    {"list", nullptr, names, 0, 0, JIM_MODFLAG_HIDDEN},
    {"names", nullptr, names, 0, 0, 0},
    {nullptr, nullptr, nullptr, 0, 0, 0},
};

}  // namespace

void registerTclPackageCommand(Jim_Interp* interp) {
    Jim_CreateCommand(interp, "package", Jim_SubCmdProc, const_cast<jim_subcmd_type*>(PACKAGE),
                      nullptr);
}

}  // namespace orvo
