#pragma once

#include <string>

#include "tools/datawriter/ByteWriter.h"

namespace trellin {

// Encodes a WAV file image to MP3 with Debian's lame (constant 128 kbit/s, joint stereo, no
// tags). lame's output depends only on its input and options, so the same samples always give
// the same bytes. False, with the reason, when lame cannot be run or fails.
bool encodeMp3(const Bytes& wav, Bytes& mp3, std::string& error);

}  // namespace trellin
