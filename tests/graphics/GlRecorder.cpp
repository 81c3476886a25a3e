#include "tests/graphics/GlRecorder.h"

#include <GLES2/gl2.h>
#include <dlfcn.h>

#include <cstdint>
#include <initializer_list>

namespace {

bool recording = false;

std::vector<GlCall>& record() {
    static std::vector<GlCall> calls;
    return calls;
}

void note(const char* name, std::initializer_list<long long> args) {
    if (recording) {
        record().push_back(GlCall{name, std::vector<long long>(args)});
    }
}

template <class F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

long long pointerArg(const void* p) {
    return static_cast<long long>(reinterpret_cast<uintptr_t>(p));
}

}  // namespace

namespace GlRecorder {

void start() {
    record().clear();
    recording = true;
}

void stop() { recording = false; }

const std::vector<GlCall>& calls() { return record(); }

std::size_t count(const std::string& name) { return named(name).size(); }

std::vector<GlCall> named(const std::string& name) {
    std::vector<GlCall> out;
    for (const GlCall& call : record()) {
        if (call.name == name) {
            out.push_back(call);
        }
    }
    return out;
}

}  // namespace GlRecorder

// One forwarding definition per recorded function: RET NAME(PARAMS) records ARGS_KEPT and calls
// the library's NAME with ARGS.
#define GL_RECORDED(RET, NAME, PARAMS, ARGS, ...)                       \
    extern "C" RET GL_APIENTRY NAME PARAMS {                            \
        note(#NAME, {__VA_ARGS__});                                     \
        static const auto real = next<RET(GL_APIENTRY*) PARAMS>(#NAME); \
        return real ARGS;                                               \
    }

GL_RECORDED(void, glEnable, (GLenum cap), (cap), cap)
GL_RECORDED(void, glDisable, (GLenum cap), (cap), cap)
GL_RECORDED(void, glBlendFunc, (GLenum s, GLenum d), (s, d), s, d)
GL_RECORDED(void, glBlendFuncSeparate, (GLenum a, GLenum b, GLenum c, GLenum d), (a, b, c, d), a, b,
            c, d)
GL_RECORDED(void, glDepthFunc, (GLenum f), (f), f)
GL_RECORDED(void, glDepthMask, (GLboolean m), (m), m)
GL_RECORDED(void, glClear, (GLbitfield mask), (mask), mask)
GL_RECORDED(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h), x, y, w, h)
GL_RECORDED(void, glScissor, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h), x, y, w, h)
GL_RECORDED(void, glBindBuffer, (GLenum target, GLuint buffer), (target, buffer), target, buffer)
GL_RECORDED(void, glBufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage),
            (target, size, data, usage), target, size)
GL_RECORDED(void, glActiveTexture, (GLenum unit), (unit), unit)
GL_RECORDED(void, glBindTexture, (GLenum target, GLuint texture), (target, texture), target,
            texture)
GL_RECORDED(void, glTexParameteri, (GLenum target, GLenum name, GLint value), (target, name, value),
            target, name, value)
GL_RECORDED(void, glVertexAttribPointer,
            (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
             const void* pointer),
            (index, size, type, normalized, stride, pointer), index, size, type, stride,
            pointerArg(pointer))
GL_RECORDED(void, glEnableVertexAttribArray, (GLuint index), (index), index)
GL_RECORDED(void, glDisableVertexAttribArray, (GLuint index), (index), index)
GL_RECORDED(void, glUseProgram, (GLuint program), (program), program)
GL_RECORDED(void, glUniform1i, (GLint location, GLint v), (location, v), location, v)
GL_RECORDED(void, glUniform1f, (GLint location, GLfloat v), (location, v), location)
GL_RECORDED(void, glUniform3f, (GLint location, GLfloat a, GLfloat b, GLfloat c),
            (location, a, b, c), location)
GL_RECORDED(void, glUniform4f, (GLint location, GLfloat a, GLfloat b, GLfloat c, GLfloat d),
            (location, a, b, c, d), location)
GL_RECORDED(void, glUniformMatrix4fv,
            (GLint location, GLsizei n, GLboolean transpose, const GLfloat* v),
            (location, n, transpose, v), location)
GL_RECORDED(void, glDrawElements, (GLenum mode, GLsizei n, GLenum type, const void* indices),
            (mode, n, type, indices), mode, n, type)
GL_RECORDED(void, glBindFramebuffer, (GLenum target, GLuint framebuffer), (target, framebuffer),
            target, framebuffer)
GL_RECORDED(void, glFramebufferTexture2D,
            (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level),
            (target, attachment, textarget, texture, level), attachment, texture)
