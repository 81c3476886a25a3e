#pragma once

// The switch for reproducible runs: with TRELLIN_FIXED_STEP on every frame lasts exactly
// FRAME_SECONDS of game time and the loop does not wait for real time. The engine clock then
// advances by half a frame at each reading, and a frame reads it twice (the game clock's start
// and end), so the loop itself leaves the clock alone while the switch is on.
namespace FixedFrameStep {

constexpr const char* VARIABLE = "TRELLIN_FIXED_STEP";
// A binary fraction, so that the clock's sums and differences are exact.
constexpr double FRAME_SECONDS = 1.0 / 64.0;

// The switch's value, in any case: 1, yes, true and on turn it on; 0, no, false, off, the
// empty text and no value at all leave it off. Anything else leaves it off and sets unknown.
bool valueIsOn(const char* value, bool& unknown);

// Reads the switch (one warning line for a value it does not know) and, when it is on, puts
// the engine clock on the fixed step. Call before anything reads the clock.
void initialise();
// Turns the switch on or off as initialise does, whatever the variable says.
void set(bool on);
bool isOn();

}  // namespace FixedFrameStep
