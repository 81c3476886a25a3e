#include "platform/playbook/QnxWindow.h"

#include <GLES2/gl2.h>

#include <cstring>

#include "lib/tablet/bps.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"

QnxContext qnxContext;

namespace {

// One window per process.
screen_context_t screenContext = nullptr;
screen_window_t screenWindow = 0;

const EGLint CONFIG_ATTRIBUTES[] = {EGL_RED_SIZE,
                                    8,
                                    EGL_GREEN_SIZE,
                                    8,
                                    EGL_BLUE_SIZE,
                                    8,
                                    EGL_DEPTH_SIZE,
                                    16,
                                    EGL_SURFACE_TYPE,
                                    EGL_WINDOW_BIT,
                                    EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_ES2_BIT,
                                    EGL_NONE};
const EGLint CONTEXT_ATTRIBUTES[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};

int failEGL(const char* label) {
    checkErrorEGL(label);
    return 0;
}

}  // namespace

void checkErrorEGL(const char*) { eglGetError(); }

void qnxContextInit(QnxContext* ctx) { std::memset(ctx, 0, sizeof(*ctx)); }

int qnxCreate(QnxContext* ctx, const char* name) {
    bps_initialize();
    if (screen_create_context(&screenContext, SCREEN_APPLICATION_CONTEXT) != 0) {
        return 0;
    }
    if (screen_create_window(&screenWindow, screenContext) != 0) {
        return 0;
    }
    if (screen_create_window_group(screenWindow, name) != 0) {
        return 0;
    }
    const int format = SCREEN_FORMAT_RGBX8888;
    const int usage = SCREEN_USAGE_ROTATION | SCREEN_USAGE_OPENGL_ES2;
    const int rotation = ctx->height > ctx->width ? 270 : 0;
    const int size[2] = {ctx->width, ctx->height};
    if (screen_set_window_property_iv(screenWindow, SCREEN_PROPERTY_FORMAT, &format) != 0 ||
        screen_set_window_property_iv(screenWindow, SCREEN_PROPERTY_USAGE, &usage) != 0 ||
        screen_set_window_property_iv(screenWindow, SCREEN_PROPERTY_ROTATION, &rotation) != 0 ||
        screen_set_window_property_iv(screenWindow, SCREEN_PROPERTY_SOURCE_SIZE, size) != 0 ||
        screen_set_window_property_iv(screenWindow, SCREEN_PROPERTY_BUFFER_SIZE, size) != 0) {
        return 0;
    }
    if (screen_create_window_buffers(screenWindow, 2) != 0) {
        return 0;
    }

    ctx->display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (ctx->display == EGL_NO_DISPLAY) {
        return failEGL("eglGetDisplay: ");
    }
    if (eglInitialize(ctx->display, nullptr, nullptr) != EGL_TRUE) {
        return failEGL("eglInitialize: ");
    }
    if (eglBindAPI(EGL_OPENGL_ES_API) != EGL_TRUE) {
        return failEGL("eglBindApi: ");
    }
    ctx->config = nullptr;
    ctx->numConfigs = 0;
    // A list that matches no configuration leaves nothing to create a context from.
    if (eglChooseConfig(ctx->display, CONFIG_ATTRIBUTES, &ctx->config, 1, &ctx->numConfigs) !=
            EGL_TRUE ||
        ctx->numConfigs < 1) {
        return failEGL("eglChooseConfig: ");
    }
    ctx->context = eglCreateContext(ctx->display, ctx->config, EGL_NO_CONTEXT, CONTEXT_ATTRIBUTES);
    if (ctx->context == EGL_NO_CONTEXT) {
        return failEGL("eglCreateContext: ");
    }
    ctx->surface = eglCreateWindowSurface(ctx->display, ctx->config,
                                          static_cast<EGLNativeWindowType>(screenWindow), nullptr);
    if (ctx->surface == EGL_NO_SURFACE) {
        return failEGL("eglCreateWindowSurface: ");
    }
    if (eglMakeCurrent(ctx->display, ctx->surface, ctx->surface, ctx->context) != EGL_TRUE) {
        return failEGL("eglMakeCurrent: ");
    }
    if (eglSwapInterval(ctx->display, 1) != EGL_TRUE) {
        return failEGL("eglSwapInterval: ");
    }
    return 1;
}

const char* qnxDisplayFailure() { return tablet_screen_open_failure(); }

int qnxCreateWindow(QnxContext* ctx, const char* name, int width, int height, int) {
    ctx->width = width;
    ctx->height = height;
    if (qnxCreate(ctx, name) == 0) {
        return 0;
    }
    glViewport(0, 0, width, height);
    screen_request_events(screenContext);
    navigator_request_events(0);
    // The surface's real size; a failed query keeps the requested one.
    EGLint surfaceWidth = width;
    EGLint surfaceHeight = height;
    eglQuerySurface(ctx->display, ctx->surface, EGL_WIDTH, &surfaceWidth);
    eglQuerySurface(ctx->display, ctx->surface, EGL_HEIGHT, &surfaceHeight);
    ctx->width = surfaceWidth;
    ctx->height = surfaceHeight;
    return 1;
}

void qnxSwap(QnxContext* ctx) { eglSwapBuffers(ctx->display, ctx->surface); }

int qnxDestroy(QnxContext* ctx) {
    eglMakeCurrent(ctx->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroySurface(ctx->display, ctx->surface);
    eglDestroyContext(ctx->display, ctx->context);
    // A window that was never made cannot be destroyed.
    if (screenWindow == 0 || screen_destroy_window(screenWindow) != 0) {
        return 0;
    }
    screenWindow = 0;
    if (screen_destroy_context(screenContext) != 0) {
        return 0;
    }
    screenContext = nullptr;
    eglTerminate(ctx->display);
    eglReleaseThread();
    return 1;
}
