#pragma once

#include "core/hash/HashString.h"

namespace orvo {

class LightMutex;
class LoggerFile;
class LoggerOutputFunctor;

// Hexadecimal digits of the logger's number texts.
extern const char HEX_LOOKUP[];
// HTML colour of each colour 0-8.
extern const char* const HTML_LOOKUP[9];

// The engine's logger. A caller writes one line at a time under the lock:
//   lock(); setLevel(8); [processSpecialMode(colour);] log(text)...;
//   processSpecialMode(END_OF_LINE); unlock();
// Every call but lock, unlock, open, openAppend and close does nothing while the line's level is
// below the minimum level. Texts go to the console output and, when a file is open, to the log
// file; colours are written as ANSI escapes (console only) or HTML tags. A colour applies to one
// text and then returns to the default colour. Writing never allocates.
class Logger {
public:
    enum SpecialMode {
        DEFAULT_COLOR = 0,
        RED = 1,
        GREEN = 2,
        BLUE = 3,
        MAGENTA = 4,
        YELLOW = 5,
        CYAN = 6,
        BLACK = 7,
        WHITE = 8,
        NO_DEFAULT_COLOR = 9,  // as a default colour: nothing is restored after a text
        DECIMAL = 10,          // the next number in decimal
        HEXADECIMAL = 11,      // the next number in hexadecimal
        NO_NUMBER_MODE = 12,
        END_OF_LINE = 13
    };
    enum ColorMode { COLOR_MODE_NONE = 0, COLOR_MODE_ANSI = 1, COLOR_MODE_HTML = 3 };
    typedef int LogLevel;

    static constexpr unsigned LINE_SIZE = 256;
    static constexpr unsigned FILE_NAME_SIZE = 128;

    Logger();
    ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    void lock();
    void unlock();

    // The level of the line being written.
    void setLevel(LogLevel level) { currentLevel_ = level; }
    void setMinimumLevel(LogLevel level) { minimumLevel_ = level; }
    // Takes ownership of the console output; the previous one is deleted.
    void setOutputFunctor(LoggerOutputFunctor* output);

    // Writes one text (null: nothing). The line buffer keeps the first 255 characters of a line.
    Logger& log(const char* text);
    Logger& operator<<(const char* text) { return log(text); }
    Logger& operator<<(SpecialMode mode) {
        processSpecialMode(mode);
        return *this;
    }
    // The hexadecimal text of the hash value.
    Logger& operator<<(const HashString& hash);
    // One character, or its hexadecimal text in the HEXADECIMAL number mode.
    Logger& operator<<(unsigned char c);

    void processSpecialMode(SpecialMode mode);
    void setColor(SpecialMode color);
    void setAnsiColor(SpecialMode color);
    void setHtmlColor(SpecialMode color);
    void setDefaultColor(SpecialMode color);
    void setColorMode(ColorMode mode);

    // Number texts, built in the logger's number buffer (valid until the next conversion).
    const char* unsignedIntToString(unsigned value);
    const char* unsignedIntToHexString(unsigned value);
    const char* intToString(int value);
    const char* shortToHexString(unsigned short value);
    const char* floatToString(float value);

    // Starts writing to the log file at path (emptied by open, appended to by openAppend) and
    // sets the minimum level; with an empty path only the console is used. False when a file
    // is already open, the path is longer than 127 characters, or the file cannot be opened.
    bool open(const char* path, LogLevel minimumLevel, bool toConsole);
    bool openAppend(const char* path, LogLevel minimumLevel, bool toConsole);
    bool close();

    // The current line, for diagnostics and tests.
    const char* getLine() const { return line_; }

private:
    enum OutputFlag { OUTPUT_FILE = 1u, OUTPUT_CONSOLE = 2u };

    bool filtered() const { return currentLevel_ < minimumLevel_; }
    bool openFile(const char* path, LogLevel minimumLevel, bool toConsole, bool append);
    void writeToFile(const char* text);
    // Writes text with the current colour held at 0, so that it does not end a colour.
    void logUncoloured(const char* text);
    void writeHtmlClosing();
    const char* emptyNumberText();
    const char* decimalText(unsigned magnitude, bool negative);
    const char* hexText(unsigned value, unsigned digits);

    static constexpr int FLOAT_DECIMALS = 6;

    unsigned outputFlags_;
    SpecialMode numberMode_;
    SpecialMode currentColor_;
    SpecialMode defaultColor_;
    ColorMode colorMode_;
    LoggerOutputFunctor* console_;
    char fileName_[FILE_NAME_SIZE];
    char numberText_[64];
    LogLevel currentLevel_;
    LogLevel minimumLevel_;
    char line_[LINE_SIZE];
    unsigned lineLength_;
    LoggerFile* file_;
    LightMutex* mutex_;
    bool htmlSpanOpen_;
    bool newLinePending_;
    bool fileGood_;
    bool fileOpened_;
};

// The process's one logger.
extern Logger ZqLog;

}  // namespace orvo
