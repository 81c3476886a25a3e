#pragma once

#include <cstdint>

#include "core/text/ZqString.h"
#include "platform/playbook/FileBasePlaybook.h"

namespace orvo {

// A file read line by line (CR, LF and CR LF all end a line) and written as text. A line
// longer than the line buffer is cut at the buffer's size.
class TextFile : public FileBasePlaybook {
public:
    TextFile(uint32_t lineBufferSize, uint32_t readBufferSize);
    ~TextFile() override;

    // The next line; empty with error 9 once the data is used up.
    const ZqString& getLine();
    bool writeString(const char* text, FileFlag flag = FLAG_LINE_END);
    bool writeString(const ZqString& text, FileFlag flag = FLAG_LINE_END);

    // Text files are read front to back only.
    bool seek(uint32_t position) override;
    uint32_t seekBy(int delta) override;
    void reset() override;

private:
    bool allocateBuffers();
    // The next character, and whether it is the last of the data; false when none is left.
    bool nextCharacter(unsigned char& c, bool& last);
    bool refill();
    // Reports the end of the reading: end flag, error 9, and every later line empty.
    void stop();

    bool bufferExhausted_;
    bool stopped_;
    bool allDataRead_;
    unsigned char* readBuffer_;
    char* lineBuffer_;
    uint32_t bytesInBuffer_;
    uint32_t lineBufferSize_;
    uint32_t readBufferSize_;
    uint32_t readIndex_;
    ZqString line_;
    bool lastWasCr_;
    uint32_t lineEnd_;  // 0: "\n", 1: "\r\n"
};

}  // namespace orvo
