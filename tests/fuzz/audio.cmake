# The WAV reader of the audio buffers, over arbitrary file images. Its source is compiled in
# here so that the fuzzer sees its coverage.
trellin_add_fuzzer(audio_wav_fuzzer ${CMAKE_CURRENT_LIST_DIR}/WavFuzzer.cpp
  ${CMAKE_SOURCE_DIR}/audio/Buffer.cpp LIBS audio)
