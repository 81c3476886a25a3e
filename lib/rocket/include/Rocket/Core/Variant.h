#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

// A value of one of a few types, converted on request.
class Variant {
public:
    enum Type {
        NONE = '-',
        BYTE = 'b',
        CHAR = 'c',
        FLOAT = 'f',
        INT = 'i',
        STRING = 's',
        WORD = 'w',
        VECTOR2 = '2',
        COLOURB = 'h',
        VOIDPTR = '*',
    };

    Variant() = default;
    template <typename T>
    Variant(const T& value) {
        Set(value);
    }

    Type GetType() const { return type; }
    void Clear();

    void Set(byte value);
    void Set(char value);
    void Set(word value);
    void Set(int value);
    void Set(unsigned int value);
    void Set(bool value);
    void Set(float value);
    void Set(double value);
    void Set(const char* value);
    void Set(const String& value);
    void Set(const std::string& value) { Set(String(value)); }
    void Set(const Vector2f& value);
    void Set(const Colourb& value);
    void Set(void* value);
    void Set(const Variant& value) { *this = value; }

    // Converts into the requested type; false when the value does not convert.
    bool GetInto(int& value) const;
    bool GetInto(unsigned int& value) const;
    bool GetInto(bool& value) const;
    bool GetInto(float& value) const;
    bool GetInto(byte& value) const;
    bool GetInto(char& value) const;
    bool GetInto(word& value) const;
    bool GetInto(String& value) const;
    bool GetInto(Vector2f& value) const;
    bool GetInto(Colourb& value) const;
    bool GetInto(void*& value) const;

    template <typename T>
    T Get() const {
        T value = T();
        GetInto(value);
        return value;
    }

    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }

private:
    Type type = NONE;
    union {
        int int_value;
        float float_value;
        void* pointer_value;
        byte bytes[4];
    } data = {0};
    String string_value;
    Vector2f vector_value;
};

}  // namespace Core
}  // namespace Rocket
