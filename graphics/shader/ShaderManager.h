#pragma once

#include <boost/shared_ptr.hpp>
#include <cstdint>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "core/text/ZqString.h"
#include "graphics/shader/ShaderProgram.h"

namespace orvo {

// Builds GLSL programs, records what each reads and keeps the active one.
class ShaderManager : public Locator::ServiceSingleton<ShaderManager> {
public:
    // What compileShader returns for a source that does not compile: 0 is never a shader's
    // name (GL_INVALID_VALUE, 1281, can be one).
    static constexpr uint32_t COMPILE_FAILED = 0;

    ShaderManager() {}
    ~ShaderManager() override {}

    void initialise() {}

    // The whole file with a terminating NUL, or null when it cannot be read. The caller frees
    // it with delete[].
    static char* loadShader(const ZqString& path);
    // Builds from two source files; the last two strings are not used.
    boost::shared_ptr<ShaderProgram> addShaderProgram(HashString name, const ZqString& vertexPath,
                                                      const ZqString& fragmentPath,
                                                      const ZqString& unused1,
                                                      const ZqString& unused2);
    // Empty when a source does not compile or the program does not link.
    boost::shared_ptr<ShaderProgram> addShaderProgram(HashString name,
                                                      const unsigned char* vertexSource,
                                                      const unsigned char* fragmentSource,
                                                      const ZqString& unused1,
                                                      const ZqString& unused2);
    uint32_t compileShader(const char* source, unsigned type);

    boost::shared_ptr<ShaderProgram> getShaderProgram(HashString name) const;
    // A null program is ignored.
    void setActiveShaderProgram(const boost::shared_ptr<ShaderProgram>& program);
    const boost::shared_ptr<ShaderProgram>& getActiveShaderProgram() const { return active_; }
    void removeShaderProgram(boost::shared_ptr<ShaderProgram> program);
    void shutdown();

private:
    Array<boost::shared_ptr<ShaderProgram>> programs_;
    boost::shared_ptr<ShaderProgram> active_;
};

}  // namespace orvo
