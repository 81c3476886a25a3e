#include "core/log/Logger.h"

#include <cstring>

#include "core/log/LoggerFile.h"
#include "core/log/LoggerOutputCout.h"
#include "core/memory/ZequinAllocation.h"
#include "core/text/NumberText.h"
#include "core/thread/LightMutex.h"

namespace orvo {

const char HEX_LOOKUP[] = "0123456789ABCDEF";
const char* const HTML_LOOKUP[9] = {"#      ", "#ff0000", "#00ff00", "#0000ff", "#ff00ff",
                                    "#ffff00", "#00ffff", "#000000", "#ffffff"};

namespace {

// ANSI colour digit of each colour 0-8; colour 0 is the terminal's default foreground.
const char ANSI_LOOKUP[] = "912453607";

// The log file's category: its blocks are 1 KiB.
constexpr int LOG_FILE_CATEGORY = 10;

bool isColor(Logger::SpecialMode mode) {
    return static_cast<int>(mode) >= Logger::DEFAULT_COLOR &&
           static_cast<int>(mode) <= Logger::WHITE;
}

}  // namespace

Logger ZqLog;

Logger::Logger()
    : outputFlags_(OUTPUT_CONSOLE),
      numberMode_(NO_NUMBER_MODE),
      currentColor_(DEFAULT_COLOR),
      defaultColor_(WHITE),
      colorMode_(COLOR_MODE_ANSI),
      console_(new (0, ZequinAllocation) LoggerOutputCout()),
      fileName_(),
      numberText_(),
      currentLevel_(2),
      minimumLevel_(2),
      line_(),
      lineLength_(0),
      file_(nullptr),
      mutex_(new (0, ZequinAllocation) LightMutex("logger")),
      htmlSpanOpen_(false),
      newLinePending_(true),
      fileGood_(true),
      fileOpened_(false) {}

Logger::~Logger() {
    close();
    if (colorMode_ == COLOR_MODE_HTML) {
        writeHtmlClosing();
    }
    // Cleared, so that a text logged by a later static destructor is dropped safely.
    delete console_;
    console_ = nullptr;
    delete mutex_;
    mutex_ = nullptr;
}

void Logger::lock() {
    if (mutex_ != nullptr) {
        mutex_->lock();
    }
}

void Logger::unlock() {
    if (mutex_ != nullptr) {
        mutex_->unlock();
    }
}

void Logger::setOutputFunctor(LoggerOutputFunctor* output) {
    delete console_;
    console_ = output;
}

Logger& Logger::log(const char* text) {
    if (filtered() || text == nullptr) {
        return *this;
    }
    if (newLinePending_) {
        newLinePending_ = false;
        lineLength_ = 0;
    }
    for (const char* p = text; *p != '\0' && lineLength_ < LINE_SIZE - 1; ++p) {
        line_[lineLength_++] = *p;
    }
    line_[lineLength_] = '\0';
    if ((outputFlags_ & OUTPUT_CONSOLE) != 0 && console_ != nullptr) {
        (*console_)(text);
    }
    if ((outputFlags_ & OUTPUT_FILE) != 0 && fileGood_) {
        writeToFile(text);
    }
    if (defaultColor_ != NO_DEFAULT_COLOR && currentColor_ != DEFAULT_COLOR) {
        processSpecialMode(DEFAULT_COLOR);
    }
    return *this;
}

Logger& Logger::operator<<(const HashString& hash) {
    return log(unsignedIntToHexString(hash.getHash()));
}

Logger& Logger::operator<<(unsigned char c) {
    if (filtered()) {
        return *this;
    }
    if (numberMode_ == HEXADECIMAL) {
        return log(unsignedIntToString(c));
    }
    const char text[2] = {static_cast<char>(c), '\0'};
    return log(text);
}

void Logger::processSpecialMode(SpecialMode mode) {
    if (filtered()) {
        return;
    }
    if (isColor(mode)) {
        setColor(mode);
    } else if (mode == NO_DEFAULT_COLOR) {
        setDefaultColor(NO_DEFAULT_COLOR);
    } else if (mode == DECIMAL || mode == HEXADECIMAL) {
        numberMode_ = mode;
    } else if (mode == END_OF_LINE) {
        if (colorMode_ == COLOR_MODE_HTML) {
            log("<br/>");
        }
        log("\n");
        setColor(DEFAULT_COLOR);
        newLinePending_ = true;
    }
}

void Logger::setColor(SpecialMode color) {
    if (filtered() || !isColor(color)) {
        return;
    }
    currentColor_ = color;
    if (colorMode_ == COLOR_MODE_ANSI) {
        // Colour 0 is the default colour; with no default it is the terminal's own.
        const bool useDefault = color == DEFAULT_COLOR && defaultColor_ != NO_DEFAULT_COLOR;
        setAnsiColor(useDefault ? defaultColor_ : color);
    } else if (colorMode_ == COLOR_MODE_HTML) {
        setHtmlColor(color);
    }
}

void Logger::setAnsiColor(SpecialMode color) {
    if (filtered() || !isColor(color) || console_ == nullptr) {
        return;
    }
    const char escape[] = {'\x1b', '[', '3', ANSI_LOOKUP[color], 'm', '\0'};
    std::memcpy(numberText_, escape, sizeof(escape));
    console_->writeColour(color, numberText_);
}

void Logger::setHtmlColor(SpecialMode color) {
    if (filtered() || !isColor(color) || color == defaultColor_) {
        return;
    }
    const SpecialMode held = currentColor_;
    currentColor_ = DEFAULT_COLOR;
    if (htmlSpanOpen_) {
        log("</span>");
        htmlSpanOpen_ = false;
    }
    if (color != DEFAULT_COLOR) {
        log("<span style=\"color: ");
        log(HTML_LOOKUP[color]);
        log("\">");
        htmlSpanOpen_ = true;
    }
    currentColor_ = held;
}

void Logger::setDefaultColor(SpecialMode color) {
    if (filtered() || color == defaultColor_ || static_cast<int>(color) < DEFAULT_COLOR ||
        static_cast<int>(color) > NO_DEFAULT_COLOR) {
        return;
    }
    if (colorMode_ == COLOR_MODE_HTML) {
        if (defaultColor_ != NO_DEFAULT_COLOR) {
            defaultColor_ = DEFAULT_COLOR;
            log("\n</div>\n");
        }
        // No default colour has no division of its own (none is closed when it ends either).
        if (color != NO_DEFAULT_COLOR) {
            log("\n<div style=\"color: ");
            log(HTML_LOOKUP[color]);
            log("\">");
        }
    }
    defaultColor_ = color;
    if (color != NO_DEFAULT_COLOR) {
        processSpecialMode(color);
    }
}

void Logger::setColorMode(ColorMode mode) {
    if (filtered()) {
        return;
    }
    if (mode == COLOR_MODE_HTML && colorMode_ != COLOR_MODE_HTML) {
        logUncoloured("\n<html>\n<body>\n");
    }
    colorMode_ = mode;
}

const char* Logger::unsignedIntToString(unsigned value) {
    if (filtered()) {
        return emptyNumberText();
    }
    if (numberMode_ == HEXADECIMAL) {
        numberMode_ = NO_NUMBER_MODE;
        return hexText(value, 8);
    }
    return decimalText(value, false);
}

const char* Logger::unsignedIntToHexString(unsigned value) {
    if (filtered()) {
        return emptyNumberText();
    }
    if (numberMode_ == DECIMAL) {
        numberMode_ = NO_NUMBER_MODE;
        return decimalText(value, false);
    }
    return hexText(value, 8);
}

const char* Logger::intToString(int value) {
    if (filtered()) {
        return emptyNumberText();
    }
    const unsigned bits = static_cast<unsigned>(value);
    if (numberMode_ == HEXADECIMAL) {
        numberMode_ = NO_NUMBER_MODE;
        return hexText(bits, 8);
    }
    // The magnitude in unsigned arithmetic is right for the most negative int too.
    return value < 0 ? decimalText(0u - bits, true) : decimalText(bits, false);
}

const char* Logger::shortToHexString(unsigned short value) {
    return filtered() ? emptyNumberText() : hexText(value, 4);
}

const char* Logger::floatToString(float value) {
    if (filtered()) {
        return emptyNumberText();
    }
    NumberText::writeFloat(value, FLOAT_DECIMALS, numberText_);
    return numberText_;
}

bool Logger::open(const char* path, LogLevel minimumLevel, bool toConsole) {
    return openFile(path, minimumLevel, toConsole, false);
}

bool Logger::openAppend(const char* path, LogLevel minimumLevel, bool toConsole) {
    return openFile(path, minimumLevel, toConsole, true);
}

bool Logger::openFile(const char* path, LogLevel minimumLevel, bool toConsole, bool append) {
    if (fileOpened_) {
        return false;
    }
    if (path == nullptr) {
        path = "";
    }
    const std::size_t length = std::strlen(path);
    if (length >= FILE_NAME_SIZE) {
        return false;
    }
    if (length > 0) {
        outputFlags_ |= OUTPUT_FILE;
    } else if (!toConsole) {
        return false;
    }
    if (toConsole || (append && length == 0)) {
        outputFlags_ |= OUTPUT_CONSOLE;
    } else if (!append) {
        outputFlags_ &= ~OUTPUT_CONSOLE;
    }
    minimumLevel_ = minimumLevel;
    fileGood_ = true;
    if ((outputFlags_ & OUTPUT_FILE) == 0) {
        fileOpened_ = true;
        return fileGood_;
    }
    file_ = new (LOG_FILE_CATEGORY, ZequinAllocation) LoggerFile();
    const bool opened = file_ != nullptr && file_->open(path, append);
    fileOpened_ = fileGood_ = opened;
    if (opened) {
        file_->close();
    } else {
        // Nothing is written to a file that could not be opened, and a later open starts clean.
        delete file_;
        file_ = nullptr;
        outputFlags_ &= ~OUTPUT_FILE;
    }
    if (opened || append) {
        std::memcpy(fileName_, path, length + 1);
    } else {
        fileName_[0] = '\0';
    }
    return fileGood_;
}

bool Logger::close() {
    if (!fileOpened_) {
        return false;
    }
    if ((outputFlags_ & OUTPUT_FILE) != 0) {
        const unsigned flags = outputFlags_;
        outputFlags_ = OUTPUT_FILE;
        if (colorMode_ == COLOR_MODE_HTML) {
            writeHtmlClosing();
        }
        outputFlags_ = flags & ~OUTPUT_FILE;
        delete file_;
        file_ = nullptr;
        fileName_[0] = '\0';
    }
    fileOpened_ = false;
    return true;
}

// Each text opens the file for appending, writes and closes it again, so that the file is
// complete whenever the process ends.
void Logger::writeToFile(const char* text) {
    if (file_ == nullptr) {
        fileGood_ = false;
        return;
    }
    fileGood_ = file_->open(fileName_, true) && file_->write(text);
    file_->close();
}

void Logger::logUncoloured(const char* text) {
    const SpecialMode held = currentColor_;
    currentColor_ = DEFAULT_COLOR;
    log(text);
    currentColor_ = held;
}

void Logger::writeHtmlClosing() {
    if (htmlSpanOpen_) {
        const SpecialMode held = defaultColor_;
        defaultColor_ = DEFAULT_COLOR;
        log("\n</span>");
        defaultColor_ = held;
        htmlSpanOpen_ = false;
    }
    if (defaultColor_ != DEFAULT_COLOR) {
        defaultColor_ = DEFAULT_COLOR;
        log("\n</div>\n");
    }
    log("\n</body>\n</html>\n");
}

const char* Logger::emptyNumberText() {
    numberText_[0] = '\0';
    return numberText_;
}

const char* Logger::decimalText(unsigned magnitude, bool negative) {
    unsigned length = 0;
    if (negative) {
        numberText_[length++] = '-';
    }
    length += NumberText::writeDecimal(magnitude, numberText_ + length);
    numberText_[length] = '\0';
    return numberText_;
}

const char* Logger::hexText(unsigned value, unsigned digits) {
    numberText_[0] = '0';
    numberText_[1] = 'x';
    NumberText::writeHex(value, digits, HEX_LOOKUP, numberText_ + 2);
    numberText_[2 + digits] = '\0';
    return numberText_;
}

}  // namespace orvo
