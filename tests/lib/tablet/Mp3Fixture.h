// A short MP3 made for the test: a generated tone written as WAV and encoded by lame.
#pragma once

#include <string>

// Makes name (once per process) holding seconds of a 440 Hz mono tone at 44.1 kHz; returns
// its absolute path, or an empty text when lame failed.
std::string makeToneMp3(const std::string& name, double seconds);
