#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/log/Logger.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "tests/graphics/GlRecorder.h"
#include "tests/graphics/GraphicsTestContext.h"
#include "tests/graphics/TestUpdater.h"
#include "tests/support/LogCheck.h"

using namespace orvo;

namespace {

const unsigned char* source(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}

const char* const VERTEX = R"(#version 100
attribute vec3 a_position;
uniform vec4 u_offset;
uniform ivec2 u_cells;
void main() {
    gl_Position = vec4(a_position, 1.0) + u_offset + vec4(float(u_cells.x), 0.0, 0.0, 0.0);
}
)";

const char* const FRAGMENT = R"(#version 100
precision mediump float;
uniform vec4 u_tint;
uniform vec4 u_frame;
uniform sampler2D s_texture0;
void main() {
    gl_FragColor = u_tint + u_frame + texture2D(s_texture0, vec2(0.5));
}
)";

using ShaderTest = GraphicsTest;

TEST_F(ShaderTest, ProgramRecordsItsUniformsAndAttributes) {
    const boost::shared_ptr<ShaderProgram> program = ShaderManager::instance_->addShaderProgram(
        "p", source(VERTEX), source(FRAGMENT), ZqString(), ZqString());
    ASSERT_TRUE(program);
    EXPECT_EQ(program->data.attributes.size(), 1u);
    EXPECT_EQ(program->data.attributes[0].name, HashString("a_position"));
    EXPECT_EQ(program->data.uniforms.size(), 5u);

    const ShaderParameter tint = program->getUniform("u_tint");
    EXPECT_EQ(tint.type, ShaderParameter::FLOAT_VEC4);
    EXPECT_EQ(tint.glType, static_cast<uint32_t>(GL_FLOAT_VEC4));
    EXPECT_EQ(static_cast<GLint>(tint.location),
              glGetUniformLocation(program->programName, "u_tint"));
    EXPECT_EQ(program->getUniform("u_cells").type, ShaderParameter::INT_VEC2);
    EXPECT_EQ(program->getUniform("s_texture0").type, ShaderParameter::OTHER);
    // Samplers have no upload and are not cached; a missing name gives the dummy.
    EXPECT_EQ(program->getParameter("s_texture0").name, DUMMY_PARAMETER);
    EXPECT_EQ(program->getParameter("u_cells").name, HashString("u_cells"));
    EXPECT_EQ(program->cachedParameters.size(), 4u);
    const ShaderParameter missing = program->getUniform("nothing");
    EXPECT_EQ(missing.name, DUMMY_PARAMETER);
    EXPECT_EQ(missing.location, 0u);
    EXPECT_EQ(missing.type, 0u);
}

TEST_F(ShaderTest, BadSourcesGiveNoProgram) {
    // The compiler's own message is logged: a broken shader must not fail unseen.
    trellin_test::expectLogMatching("Shader Error: vertex shader does not compile: .*error.*");
    trellin_test::expectLogMatching("Shader Error: program does not link: .*v_missing.*");
    EXPECT_EQ(ShaderManager::instance_->compileShader("#version 100\nvoid main() { oops }",
                                                      GL_VERTEX_SHADER),
              ShaderManager::COMPILE_FAILED);
    const std::string compileLog = ZqLog.getLine();
    EXPECT_NE(compileLog.find("Shader Error: vertex shader does not compile: "), std::string::npos)
        << compileLog;
    EXPECT_NE(compileLog.find("error"), std::string::npos) << compileLog;
    // An unreadable shader file arrives as a null source.
    EXPECT_EQ(ShaderManager::instance_->compileShader(nullptr, GL_VERTEX_SHADER),
              ShaderManager::COMPILE_FAILED);
    EXPECT_FALSE(ShaderManager::instance_->addShaderProgram("p", nullptr, source(FRAGMENT),
                                                            ZqString(), ZqString()));
    // Compiles, but the varying the fragment shader reads is never written: link fails.
    const char* const reads = R"(#version 100
precision mediump float;
varying vec4 v_missing;
void main() { gl_FragColor = v_missing; }
)";
    const char* const noVarying = R"(#version 100
attribute vec3 a_position;
void main() { gl_Position = vec4(a_position, 1.0); }
)";
    EXPECT_FALSE(ShaderManager::instance_->addShaderProgram("p", source(noVarying), source(reads),
                                                            ZqString(), ZqString()));
    const std::string linkLog = ZqLog.getLine();
    EXPECT_NE(linkLog.find("Shader Error: program does not link: "), std::string::npos) << linkLog;
    EXPECT_FALSE(ShaderManager::instance_->getShaderProgram("p"));
}

TEST_F(ShaderTest, AShaderNamed1281IsNoFailure) {
    // 1281 is GL_INVALID_VALUE; GL hands names out in order, so it is a shader name too.
    std::vector<GLuint> taken;
    do {
        taken.push_back(glCreateShader(GL_VERTEX_SHADER));
    } while (taken.back() != 0 && taken.back() < 1280);
    const uint32_t shader = ShaderManager::instance_->compileShader(VERTEX, GL_VERTEX_SHADER);
    ASSERT_EQ(shader, 1281u);
    EXPECT_NE(shader, ShaderManager::COMPILE_FAILED);
    EXPECT_TRUE(glIsShader(shader));
    glDeleteShader(shader);
    for (GLuint name : taken) {
        glDeleteShader(name);
    }
}

TEST_F(ShaderTest, ProgramFromSourceFiles) {
    trellin_test::expectLog(
        "Shader Error: no program from shader_test.vert, no_such.frag (unreadable)");
    std::ofstream("shader_test.vert") << VERTEX;
    std::ofstream("shader_test.frag") << FRAGMENT;
    char* loaded = ShaderManager::loadShader("shader_test.vert");
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(loaded, VERTEX);
    delete[] loaded;
    EXPECT_TRUE(ShaderManager::instance_->addShaderProgram(
        "p", ZqString("shader_test.vert"), ZqString("shader_test.frag"), ZqString(), ZqString()));
    EXPECT_EQ(ShaderManager::loadShader("no_such.frag"), nullptr);
    EXPECT_FALSE(ShaderManager::instance_->addShaderProgram(
        "q", ZqString("shader_test.vert"), ZqString("no_such.frag"), ZqString(), ZqString()));
    const std::string log = ZqLog.getLine();
    EXPECT_NE(log.find("Shader Error: no program from shader_test.vert, no_such.frag (unreadable)"),
              std::string::npos)
        << log;
}

TEST_F(ShaderTest, RebuildingUnderOneNameRemovesTheFirst) {
    ShaderManager& manager = *ShaderManager::instance_;
    const boost::shared_ptr<ShaderProgram> first =
        manager.addShaderProgram("p", source(VERTEX), source(FRAGMENT), ZqString(), ZqString());
    ASSERT_TRUE(first);
    manager.setActiveShaderProgram(first);
    GlRecorder::start();
    const boost::shared_ptr<ShaderProgram> second =
        manager.addShaderProgram("p", source(VERTEX), source(FRAGMENT), ZqString(), ZqString());
    ASSERT_TRUE(second);
    ASSERT_EQ(GlRecorder::count("glUseProgram"), 1u);
    EXPECT_EQ(GlRecorder::named("glUseProgram")[0].args[0], 0);
    EXPECT_FALSE(manager.getActiveShaderProgram());
    EXPECT_EQ(manager.getShaderProgram("p"), second);
    EXPECT_EQ(glIsProgram(first->programName), GL_FALSE);
    // Removing the active program through the manager's own pointer is safe.
    manager.setActiveShaderProgram(second);
    manager.removeShaderProgram(manager.getActiveShaderProgram());
    EXPECT_FALSE(manager.getShaderProgram("p"));
}

class UpdaterTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        a_ = ShaderManager::instance_->addShaderProgram("a", source(VERTEX), source(FRAGMENT),
                                                        ZqString(), ZqString());
        b_ = ShaderManager::instance_->addShaderProgram("b", source(VERTEX), source(FRAGMENT),
                                                        ZqString(), ZqString());
        ASSERT_TRUE(a_ && b_);
    }

    boost::shared_ptr<TestUpdater> add(const char* name, uint32_t kind) {
        boost::shared_ptr<TestUpdater> updater(
            new TestUpdater(name, kind, ZqVector<4>(0.25f, 0.5f, 0.75f, 1.0f)));
        ShaderCache::instance_->addUpdater(updater);
        return updater;
    }

    void feed(HashString program) {
        ShaderCache::instance_->updateShaderParameters(boost::shared_ptr<ZqMatrix<4, 4>>(),
                                                       material(program), HashString());
    }

    boost::shared_ptr<ShaderProgram> a_;
    boost::shared_ptr<ShaderProgram> b_;
};

TEST_F(UpdaterTest, CacheKindsDecideHowOftenUpdatersRun) {
    const boost::shared_ptr<TestUpdater> perDraw = add("u_tint", 0);
    const boost::shared_ptr<TestUpdater> perShader = add("u_offset", 1);
    const boost::shared_ptr<TestUpdater> perFrame = add("u_frame", 2);
    struct Step {
        const char* program;
        bool endFrame;
        int draw, shader, frame;  // runs so far
    };
    const Step steps[] = {
        {"a", false, 1, 1, 1}, {"a", false, 2, 1, 1},  // same program: per-shader value reused
        {"b", false, 3, 2, 1},  // program change: per-shader runs again, per-frame does not
        {"b", true, 4, 2, 2},   // new frame: per-frame runs again
        {"a", false, 5, 3, 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.program);
        if (step.endFrame) {
            target().endFrame();
        }
        feed(step.program);
        EXPECT_EQ(perDraw->runs, step.draw);
        EXPECT_EQ(perShader->runs, step.shader);
        EXPECT_EQ(perFrame->runs, step.frame);
    }
}

TEST_F(UpdaterTest, UniformsAreUploadedByNameThroughTheirUpdaters) {
    add("u_tint", 0);
    const boost::shared_ptr<TestUpdater> shadowed = add("u_tint", 0);
    add("u_cells", 0);  // an ivec2 receives no upload
    GlRecorder::start();
    feed("a");
    EXPECT_EQ(shadowed->runs, 0);  // the first registration stays in force
    ASSERT_EQ(GlRecorder::count("glUseProgram"), 1u);
    EXPECT_EQ(GlRecorder::named("glUseProgram")[0].args[0], a_->programName);
    const std::vector<GlCall> uploads = GlRecorder::named("glUniform4f");
    ASSERT_EQ(uploads.size(), 1u);
    EXPECT_EQ(uploads[0].args[0], glGetUniformLocation(a_->programName, "u_tint"));
    GLfloat value[4] = {0, 0, 0, 0};
    glGetUniformfv(a_->programName, glGetUniformLocation(a_->programName, "u_tint"), value);
    EXPECT_EQ(value[0], 0.25f);
    EXPECT_EQ(value[3], 1.0f);
    EXPECT_EQ(GlRecorder::calls().size(), 2u);  // the program switch and the one upload

    // The same program again does not switch; an unknown program does nothing.
    GlRecorder::start();
    feed("a");
    feed("unknown");
    EXPECT_EQ(GlRecorder::count("glUseProgram"), 0u);
    EXPECT_EQ(GlRecorder::count("glUniform4f"), 1u);
}

// A value smaller than its uniform is not uploaded (it would be read past its end).
class FloatUpdater : public ShaderParameterUpdater<float> {
public:
    explicit FloatUpdater(HashString name) : ShaderParameterUpdater<float>(name, 0) {}
    void update(boost::shared_ptr<ZqMatrix<4, 4>>, boost::shared_ptr<const Material>) override {
        value_ = 3.0f;
    }
};

TEST_F(UpdaterTest, MismatchedValueIsNotUploaded) {
    ShaderCache::instance_->addUpdater(
        boost::shared_ptr<BaseShaderParameterUpdater>(new FloatUpdater("u_tint")));
    GlRecorder::start();
    feed("a");
    EXPECT_EQ(GlRecorder::count("glUniform4f"), 0u);
}

}  // namespace
