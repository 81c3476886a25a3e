#pragma once

#include <EGL/egl.h>

// The window and its EGL context. The application keeps one record, qnxContext; every function
// takes a pointer to it.
struct QnxContext {
    int width;
    int height;
    int unused[2];
    EGLDisplay display;
    EGLContext context;
    EGLSurface surface;
    EGLConfig config;
    EGLint numConfigs;
};

extern QnxContext qnxContext;

// Zeroes the whole record.
void qnxContextInit(QnxContext* ctx);
// Creates the window and the context; on success the record holds the surface's real size.
// 1 on success, 0 on failure. The last argument is not used.
int qnxCreateWindow(QnxContext* ctx, const char* name, int width, int height, int unused);
int qnxCreate(QnxContext* ctx, const char* name);
// Why the last qnxCreate could not reach the display, as one line of text; "" when it could
// (then a failure lay with EGL, which says nothing about itself).
const char* qnxDisplayFailure();
void qnxSwap(QnxContext* ctx);
// 0 when a screen destroy call fails (the steps after it are skipped).
int qnxDestroy(QnxContext* ctx);
// Clears the EGL error; reports nothing.
void checkErrorEGL(const char* label);
