#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Records the GL calls the code under test makes. The recorded functions are defined in the
// test program itself, so they take the place of the library's and forward to it; integer
// arguments are kept, float arguments are not.
struct GlCall {
    std::string name;
    std::vector<long long> args;
};

namespace GlRecorder {

void start();  // clears the record and starts recording
void stop();
const std::vector<GlCall>& calls();
std::size_t count(const std::string& name);
// The calls of that name, in order.
std::vector<GlCall> named(const std::string& name);

}  // namespace GlRecorder
