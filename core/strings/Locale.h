#pragma once

#include <cstdint>

// The language of the device, from the LANG environment variable.
class Locale {
public:
    enum Language { ENGLISH = 1, FRENCH = 2, ITALIAN = 3, GERMAN = 4, SPANISH = 5, UNKNOWN = 16 };

    // LANG is read until it has been found once; later calls use the text found.
    static int32_t getSystemLanguage();
    // The language that a LANG text names by its first two characters (case-sensitive).
    static int32_t languageFromText(const char* text);

    static int32_t currentLanguage_;
};
