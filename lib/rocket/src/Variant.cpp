#include <Rocket/Core/Variant.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace Rocket {
namespace Core {

namespace {

// The integer types and bool take the value as an int, then narrow it.
template <typename T>
bool GetIntoFromInt(const Variant& variant, T& value) {
    int number = 0;
    if (!variant.GetInto(number)) return false;
    value = static_cast<T>(number);
    return true;
}

}  // namespace

void Variant::Clear() {
    type = NONE;
    data.int_value = 0;
    string_value.clear();
    vector_value = Vector2f();
}

void Variant::Set(byte value) {
    Clear();
    type = BYTE;
    data.int_value = value;
}

void Variant::Set(char value) {
    Clear();
    type = CHAR;
    data.int_value = value;
}

void Variant::Set(word value) {
    Clear();
    type = WORD;
    data.int_value = value;
}

void Variant::Set(int value) {
    Clear();
    type = INT;
    data.int_value = value;
}

void Variant::Set(unsigned int value) { Set(static_cast<int>(value)); }

void Variant::Set(bool value) { Set(value ? 1 : 0); }

void Variant::Set(float value) {
    Clear();
    type = FLOAT;
    data.float_value = value;
}

void Variant::Set(double value) { Set(static_cast<float>(value)); }

void Variant::Set(const char* value) { Set(String(value != nullptr ? value : "")); }

void Variant::Set(const String& value) {
    Clear();
    type = STRING;
    string_value = value;
}

void Variant::Set(const Vector2f& value) {
    Clear();
    type = VECTOR2;
    vector_value = value;
}

void Variant::Set(const Colourb& value) {
    Clear();
    type = COLOURB;
    data.bytes[0] = value.red;
    data.bytes[1] = value.green;
    data.bytes[2] = value.blue;
    data.bytes[3] = value.alpha;
}

void Variant::Set(void* value) {
    Clear();
    type = VOIDPTR;
    data.pointer_value = value;
}

bool Variant::GetInto(float& value) const {
    switch (type) {
        case BYTE:
        case CHAR:
        case WORD:
        case INT:
            value = static_cast<float>(data.int_value);
            return true;
        case FLOAT:
            value = data.float_value;
            return true;
        case STRING: {
            char* end = nullptr;
            float parsed = strtof(string_value.c_str(), &end);
            if (end == string_value.c_str()) return false;
            value = parsed;
            return true;
        }
        default:
            return false;
    }
}

bool Variant::GetInto(int& value) const {
    float number = 0;
    if (type == FLOAT || type == STRING) {
        if (!GetInto(number) || !(number > -2147483648.0f && number < 2147483648.0f)) return false;
        value = static_cast<int>(number);
        return true;
    }
    if (type == BYTE || type == CHAR || type == WORD || type == INT) {
        value = data.int_value;
        return true;
    }
    return false;
}

bool Variant::GetInto(unsigned int& value) const { return GetIntoFromInt(*this, value); }

bool Variant::GetInto(bool& value) const { return GetIntoFromInt(*this, value); }

bool Variant::GetInto(byte& value) const { return GetIntoFromInt(*this, value); }

bool Variant::GetInto(char& value) const { return GetIntoFromInt(*this, value); }

bool Variant::GetInto(word& value) const { return GetIntoFromInt(*this, value); }

bool Variant::GetInto(String& value) const {
    switch (type) {
        case BYTE:
        case CHAR:
        case WORD:
        case INT:
            value.FormatString(32, "%d", data.int_value);
            return true;
        case FLOAT:
            value.FormatString(64, "%.4f", static_cast<double>(data.float_value));
            return true;
        case STRING:
            value = string_value;
            return true;
        case VECTOR2:
            value.FormatString(128, "%.4f, %.4f", static_cast<double>(vector_value.x),
                               static_cast<double>(vector_value.y));
            return true;
        case COLOURB:
            value.FormatString(64, "%d, %d, %d, %d", data.bytes[0], data.bytes[1], data.bytes[2],
                               data.bytes[3]);
            return true;
        case VOIDPTR:
            value.FormatString(32, "%p", data.pointer_value);
            return true;
        default:
            return false;
    }
}

bool Variant::GetInto(Vector2f& value) const {
    if (type == VECTOR2) {
        value = vector_value;
        return true;
    }
    if (type == STRING) {
        float x = 0, y = 0;
        if (sscanf(string_value.c_str(), "%f , %f", &x, &y) != 2) return false;
        value = Vector2f(x, y);
        return true;
    }
    return false;
}

bool Variant::GetInto(Colourb& value) const {
    if (type == COLOURB) {
        value = Colourb(data.bytes[0], data.bytes[1], data.bytes[2], data.bytes[3]);
        return true;
    }
    if (type == STRING) {
        // "r, g, b[, a]"; each channel is clamped to a byte (strtol, unlike %d, defines overflow).
        long c[4] = {0, 0, 0, 255};
        const char* p = string_value.c_str();
        int count = 0;
        while (count < 4) {
            char* end = nullptr;
            const long channel = std::strtol(p, &end, 10);
            if (end == p) break;
            c[count++] = channel < 0 ? 0 : (channel > 255 ? 255 : channel);
            p = end;
            while (std::isspace(static_cast<unsigned char>(*p))) ++p;
            if (*p != ',') break;
            ++p;
        }
        if (count < 3) return false;
        value = Colourb(static_cast<byte>(c[0]), static_cast<byte>(c[1]), static_cast<byte>(c[2]),
                        static_cast<byte>(c[3]));
        return true;
    }
    return false;
}

bool Variant::GetInto(void*& value) const {
    if (type != VOIDPTR) return false;
    value = data.pointer_value;
    return true;
}

bool Variant::operator==(const Variant& other) const {
    if (type != other.type) return false;
    switch (type) {
        case NONE:
            return true;
        case FLOAT:
            return data.float_value == other.data.float_value;
        case STRING:
            return string_value == other.string_value;
        case VECTOR2:
            return vector_value == other.vector_value;
        case COLOURB:
            return data.int_value == other.data.int_value;
        case VOIDPTR:
            return data.pointer_value == other.data.pointer_value;
        default:
            return data.int_value == other.data.int_value;
    }
}

}  // namespace Core
}  // namespace Rocket
