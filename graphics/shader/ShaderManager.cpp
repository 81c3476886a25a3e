#include "graphics/shader/ShaderManager.h"

#include <GLES2/gl2.h>

#include <cstring>
#include <new>

#include "core/file/BinaryFile.h"
#include "core/log/ErrorLine.h"
#include "core/memory/ZequinAllocation.h"

namespace orvo {

namespace {

typedef void (*GetActiveFunction)(GLuint, GLuint, GLsizei, GLsizei*, GLint*, GLenum*, GLchar*);
typedef GLint (*GetLocationFunction)(GLuint, const GLchar*);

// Reads every active uniform or attribute of a linked program into the list.
void readParameters(GLuint program, GLenum countQuery, GLenum lengthQuery,
                    GetActiveFunction getActive, GetLocationFunction getLocation,
                    Array<ShaderParameter>& out) {
    GLint count = 0;
    GLint maxLength = 0;
    glGetProgramiv(program, countQuery, &count);
    glGetProgramiv(program, lengthQuery, &maxLength);
    if (count <= 0) {
        return;
    }
    const GLsizei bufferSize = maxLength > 0 ? maxLength : 1;
    Array<char> nameBuffer;
    if (!nameBuffer.resize(static_cast<std::size_t>(bufferSize), '\0')) {
        return;
    }
    for (GLint i = 0; i < count; ++i) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        nameBuffer[0] = '\0';
        getActive(program, static_cast<GLuint>(i), bufferSize, &length, &size, &type,
                  nameBuffer.data());
        const GLint location = getLocation(program, nameBuffer.data());
        out.pushBack(
            ShaderParameter(HashString(nameBuffer.data()), type, static_cast<uint32_t>(location)));
    }
}

// The two shaders and the program they are attached to.
void deleteObjects(uint32_t vertex, uint32_t fragment, uint32_t program) {
    glDetachShader(program, fragment);
    glDetachShader(program, vertex);
    glDeleteShader(fragment);
    glDeleteShader(vertex);
    glDeleteProgram(program);
}

// Without these lines a broken shader shows only as things missing from the screen.
void logShaderError(const char* what, const char* detail) {
    logErrorLine("Shader Error: ", what, detail);
}

// The info log of a shader or program (GL ends it with a line break, which the log line
// adds itself).
template <class GetLength, class GetLog>
void logInfo(const char* what, GLuint object, GetLength getLength, GetLog getLog) {
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    Array<char> text;
    if (length <= 0 || !text.resize(static_cast<std::size_t>(length), '\0')) {
        logShaderError(what, "");
        return;
    }
    getLog(object, length, nullptr, text.data());
    for (std::size_t end = std::strlen(text.data()); end > 0 && text[end - 1] == '\n'; --end) {
        text[end - 1] = '\0';
    }
    logShaderError(what, text.data());
}

}  // namespace

char* ShaderManager::loadShader(const ZqString& path) {
    BinaryFile file;
    if (!file.open(path)) {
        return nullptr;
    }
    const uint32_t size = file.size();
    char* buffer = new (std::nothrow) char[static_cast<std::size_t>(size) + 1];
    if (buffer != nullptr) {
        const uint32_t read = size > 0 ? file.read(buffer, 1, size) : 0;
        buffer[read] = '\0';
    }
    file.close();
    return buffer;
}

boost::shared_ptr<ShaderProgram> ShaderManager::addShaderProgram(HashString name,
                                                                 const ZqString& vertexPath,
                                                                 const ZqString& fragmentPath,
                                                                 const ZqString& unused1,
                                                                 const ZqString& unused2) {
    char* vertexSource = loadShader(vertexPath);
    char* fragmentSource = loadShader(fragmentPath);
    const boost::shared_ptr<ShaderProgram> program =
        addShaderProgram(name, reinterpret_cast<const unsigned char*>(vertexSource),
                         reinterpret_cast<const unsigned char*>(fragmentSource), unused1, unused2);
    if (!program) {
        const ZqString files = vertexPath + (vertexSource == nullptr ? " (unreadable), " : ", ") +
                               fragmentPath + (fragmentSource == nullptr ? " (unreadable)" : "");
        logShaderError("no program from ", files.c_str());
    }
    delete[] vertexSource;
    delete[] fragmentSource;
    return program;
}

uint32_t ShaderManager::compileShader(const char* source, unsigned type) {
    // A missing source (an unreadable file) cannot be handed to GL.
    if (source == nullptr) {
        return COMPILE_FAILED;
    }
    const GLuint shader = glCreateShader(type);
    const GLchar* strings[2] = {"\n", source};
    glShaderSource(shader, 2, strings, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        return shader;
    }
    logInfo(type == GL_VERTEX_SHADER ? "vertex shader does not compile: "
                                     : "fragment shader does not compile: ",
            shader, glGetShaderiv, glGetShaderInfoLog);
    glDeleteShader(shader);
    return COMPILE_FAILED;
}

boost::shared_ptr<ShaderProgram> ShaderManager::addShaderProgram(
    HashString name, const unsigned char* vertexSource, const unsigned char* fragmentSource,
    const ZqString&, const ZqString&) {
    const boost::shared_ptr<ShaderProgram> existing = getShaderProgram(name);
    if (existing) {
        removeShaderProgram(existing);
    }
    const uint32_t vertex =
        compileShader(reinterpret_cast<const char*>(vertexSource), GL_VERTEX_SHADER);
    const uint32_t fragment =
        compileShader(reinterpret_cast<const char*>(fragmentSource), GL_FRAGMENT_SHADER);
    if (vertex == COMPILE_FAILED || fragment == COMPILE_FAILED) {
        // The half that compiled has no program to go with; GL ignores the name 0.
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return boost::shared_ptr<ShaderProgram>();
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        logInfo("program does not link: ", program, glGetProgramiv, glGetProgramInfoLog);
        deleteObjects(vertex, fragment, program);
        return boost::shared_ptr<ShaderProgram>();
    }
    ShaderProgramData data;
    readParameters(program, GL_ACTIVE_UNIFORMS, GL_ACTIVE_UNIFORM_MAX_LENGTH, glGetActiveUniform,
                   glGetUniformLocation, data.uniforms);
    readParameters(program, GL_ACTIVE_ATTRIBUTES, GL_ACTIVE_ATTRIBUTE_MAX_LENGTH, glGetActiveAttrib,
                   glGetAttribLocation, data.attributes);
    ShaderProgram* created =
        new (0, ZequinAllocation) ShaderProgram(name, vertex, fragment, program, data);
    if (created == nullptr) {
        deleteObjects(vertex, fragment, program);
        return boost::shared_ptr<ShaderProgram>();
    }
    const boost::shared_ptr<ShaderProgram> result(created);
    result->cacheAllParameters();
    if (!programs_.pushBack(result)) {
        deleteObjects(vertex, fragment, program);
        return boost::shared_ptr<ShaderProgram>();
    }
    return result;
}

boost::shared_ptr<ShaderProgram> ShaderManager::getShaderProgram(HashString name) const {
    for (const boost::shared_ptr<ShaderProgram>& program : programs_) {
        if (program->name == name) {
            return program;
        }
    }
    return boost::shared_ptr<ShaderProgram>();
}

void ShaderManager::setActiveShaderProgram(const boost::shared_ptr<ShaderProgram>& program) {
    if (!program) {
        return;
    }
    glUseProgram(program->programName);
    active_ = program;
}

// Taken by value: the caller's pointer may be an entry of the list or the active program.
void ShaderManager::removeShaderProgram(boost::shared_ptr<ShaderProgram> program) {
    for (std::size_t i = 0; i < programs_.size(); ++i) {
        if (programs_[i] != program) {
            continue;
        }
        if (active_ == program) {
            active_.reset();
            glUseProgram(0);
        }
        deleteObjects(program->vertexShader, program->fragmentShader, program->programName);
        programs_[i] = programs_[programs_.size() - 1];
        programs_.popBack();
        return;
    }
}

void ShaderManager::shutdown() {
    for (const boost::shared_ptr<ShaderProgram>& program : programs_) {
        deleteObjects(program->vertexShader, program->fragmentShader, program->programName);
    }
    programs_.clear();
    active_.reset();
}

}  // namespace orvo
