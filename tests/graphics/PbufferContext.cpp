#include "tests/graphics/PbufferContext.h"

#include <EGL/egl.h>

#include "platform/playbook/QnxWindow.h"

const char* openPbufferContext(int width, int height) {
    qnxContextInit(&qnxContext);
    qnxContext.width = width;
    qnxContext.height = height;
    qnxContext.display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (qnxContext.display == EGL_NO_DISPLAY) {
        return "eglGetDisplay";
    }
    if (eglInitialize(qnxContext.display, nullptr, nullptr) != EGL_TRUE) {
        return "eglInitialize";
    }
    if (eglBindAPI(EGL_OPENGL_ES_API) != EGL_TRUE) {
        return "eglBindAPI";
    }
    const EGLint configAttributes[] = {EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       16,
                                       EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_ES2_BIT,
                                       EGL_NONE};
    if (eglChooseConfig(qnxContext.display, configAttributes, &qnxContext.config, 1,
                        &qnxContext.numConfigs) != EGL_TRUE ||
        qnxContext.numConfigs != 1) {
        return "eglChooseConfig";
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    qnxContext.surface =
        eglCreatePbufferSurface(qnxContext.display, qnxContext.config, surfaceAttributes);
    if (qnxContext.surface == EGL_NO_SURFACE) {
        return "eglCreatePbufferSurface";
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    qnxContext.context =
        eglCreateContext(qnxContext.display, qnxContext.config, EGL_NO_CONTEXT, contextAttributes);
    if (qnxContext.context == EGL_NO_CONTEXT) {
        return "eglCreateContext";
    }
    if (eglMakeCurrent(qnxContext.display, qnxContext.surface, qnxContext.surface,
                       qnxContext.context) != EGL_TRUE) {
        return "eglMakeCurrent";
    }
    return nullptr;
}

void closePbufferContext(EGLDisplay display) {
    if (display != EGL_NO_DISPLAY) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglTerminate(display);
    }
    eglReleaseThread();
}
