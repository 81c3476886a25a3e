#pragma once

// Mesa in a pbuffer (EGL_PLATFORM=surfaceless) standing in for the window: fills qnxContext
// with the display, an ES 2 configuration of 8-bit colour and a 16-bit depth, a width x height
// pbuffer and a context made current. Gives the step that failed, or null; what was made
// before a failure stays in qnxContext for the caller to tear down.
const char* openPbufferContext(int width, int height);
