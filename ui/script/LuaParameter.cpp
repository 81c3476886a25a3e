#include "ui/script/LuaParameter.h"

namespace orvo {

const char* BaseLuaParameter::getTypeString(int type) {
    switch (type) {
        case TYPE_BOOL:
            return "bool";
        case TYPE_UINT:
            return "uint";
        case TYPE_INT:
            return "int";
        case TYPE_FLOAT:
            return "float";
        case TYPE_STRING:
            return "string";
        case TYPE_LIGHT_USERDATA:
            return "lightuserdata pointer";
        case TYPE_OBJECT:
            return "fulluserdata pointer";
        case TYPE_TABLE:
            return "table pointer";
        default:
            return "INVALID TYPE";
    }
}

}  // namespace orvo
