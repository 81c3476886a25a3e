#include "core/file/TextFile.h"

#include <cstddef>
#include <cstring>

#include "core/file/FileMemory.h"

namespace orvo {

namespace {
constexpr int BUFFER_CATEGORY = 0;
constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;
}  // namespace

TextFile::TextFile(uint32_t lineBufferSize, uint32_t readBufferSize)
    : bufferExhausted_(true),
      stopped_(false),
      allDataRead_(true),
      readBuffer_(nullptr),
      lineBuffer_(nullptr),
      bytesInBuffer_(0),
      lineBufferSize_(lineBufferSize),
      readBufferSize_(readBufferSize),
      readIndex_(0),
      lastWasCr_(false),
      lineEnd_(0) {}

TextFile::~TextFile() {
    FileMemory::release(readBuffer_);
    FileMemory::release(lineBuffer_);
}

bool TextFile::seek(uint32_t) { return false; }
uint32_t TextFile::seekBy(int) { return 0; }

void TextFile::reset() {
    bufferExhausted_ = true;
    allDataRead_ = true;
    stopped_ = false;
    bytesInBuffer_ = 0;
    readIndex_ = 0;
    line_.clear();
    lastWasCr_ = false;
}

bool TextFile::allocateBuffers() {
    // Sized in size_t: a line buffer of the largest size plus its NUL must not wrap to 0.
    if (lineBuffer_ == nullptr) {
        lineBuffer_ = static_cast<char*>(
            FileMemory::allocate(std::size_t(lineBufferSize_) + 1, BUFFER_CATEGORY));
    }
    if (readBuffer_ == nullptr) {
        readBuffer_ = static_cast<unsigned char*>(FileMemory::allocate(
            readBufferSize_ == 0 ? 1 : std::size_t(readBufferSize_), BUFFER_CATEGORY));
    }
    return lineBuffer_ != nullptr && readBuffer_ != nullptr;
}

bool TextFile::refill() {
    const uint32_t left = size_ > position_ ? size_ - position_ : 0;
    const uint32_t want = left < readBufferSize_ ? left : readBufferSize_;
    const uint32_t got = want == 0 ? 0 : rawRead(readBuffer_, want);
    position_ += got;
    allDataRead_ = position_ >= size_;
    bytesInBuffer_ = got;
    readIndex_ = 0;
    bufferExhausted_ = got == 0;
    return got > 0;
}

bool TextFile::nextCharacter(unsigned char& c, bool& last) {
    if (state_ == STATE_MEMORY) {
        if (position_ >= size_) {
            return false;
        }
        c = memory_[position_++];
        last = position_ == size_;
        if (last) {
            end_ = true;
        }
        return true;
    }
    if (readIndex_ >= bytesInBuffer_ && !refill()) {
        return false;
    }
    c = readBuffer_[readIndex_++];
    bufferExhausted_ = readIndex_ >= bytesInBuffer_;
    last = bufferExhausted_ && allDataRead_;
    return true;
}

void TextFile::stop() {
    end_ = true;
    error_ = ERROR_SHORT_READ;
    stopped_ = true;
}

const ZqString& TextFile::getLine() {
    line_.clear();
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
        return line_;
    }
    if (stopped_) {
        return line_;
    }
    // Without its buffers the file cannot be read: that ends it as the end of the data does,
    // so that a caller reading up to the end stops.
    if (!allocateBuffers()) {
        stop();
        return line_;
    }
    uint32_t length = 0;
    bool ended = false;
    bool gotAny = false;
    while (!ended) {
        unsigned char c = 0;
        bool last = false;
        if (!nextCharacter(c, last)) {
            break;
        }
        gotAny = true;
        if (c == CR) {
            ended = true;
            lastWasCr_ = true;
            continue;
        }
        if (c == LF) {
            ended = !lastWasCr_;
        } else if (length < lineBufferSize_) {
            lineBuffer_[length++] = static_cast<char>(c);
        }
        lastWasCr_ = false;
        ended = ended || last;
    }
    if (!gotAny) {
        stop();
        return line_;
    }
    lineBuffer_[length] = '\0';
    line_.assign(lineBuffer_, length);
    return line_;
}

bool TextFile::writeString(const ZqString& text, FileFlag flag) {
    return writeString(text.c_str(), flag);
}

bool TextFile::writeString(const char* text, FileFlag flag) {
    if (!checkCanWrite()) {
        return false;
    }
    if (position_ < size_) {
        error_ = ERROR_WRITE_BEHIND_END;
        return false;
    }
    const uint32_t length = text != nullptr ? static_cast<uint32_t>(std::strlen(text)) : 0;
    if (length > 0 && !rawWrite(text, length)) {
        error_ = ERROR_WRITE_FAILED;
        return false;
    }
    position_ += length;
    if (flag != FLAG_LINE_END) {
        return true;
    }
    const char* ending = lineEnd_ == 1 ? "\r\n" : "\n";
    const uint32_t endingLength = lineEnd_ == 1 ? 2 : 1;
    if (!rawWrite(ending, endingLength) || !rawGood()) {
        error_ = ERROR_WRITE_FAILED;
        return false;
    }
    position_ += endingLength;
    return true;
}

}  // namespace orvo
