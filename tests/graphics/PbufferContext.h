#pragma once

#include <EGL/egl.h>

// Mesa in a pbuffer (EGL_PLATFORM=surfaceless) standing in for the window: fills qnxContext
// with the display, an ES 2 configuration of 8-bit colour and a 16-bit depth, a width x height
// pbuffer and a context made current. Gives the step that failed, or null; what was made
// before a failure stays in qnxContext for the caller to tear down.
const char* openPbufferContext(int width, int height);
// The other half, once the graphics service's target has ended the context and the surface
// (or nothing was made past the display): the display terminated and the thread released.
void closePbufferContext(EGLDisplay display);
