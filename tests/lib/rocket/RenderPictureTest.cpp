// Draws a sample page with OpenGL ES 2 into a pbuffer and saves it as
// rocket_sample_page.png in the test's working directory, for a person to look at.
#include "RocketTestSupport.h"

#include <EGL/egl.h>
#include <GLES2/gl2.h>
#include <png.h>

#include <cstdio>

// Mesa's EGL leaks a few blocks at terminate (a bare EGL program shows it too), so this
// program checks no leaks; the other rocket tests check the library for them.
extern "C" const char* __lsan_default_options() { return "detect_leaks=0"; }

namespace rocket_test {
namespace {

const int width = 1024;
const int height = 600;

class GlRenderInterface : public RenderInterface {
public:
    bool Start() {
        const char* vertex_source =
            "#version 100\n"
            "attribute vec2 a_position; attribute vec4 a_colour; attribute vec2 a_uv;\n"
            "uniform vec2 u_translation; uniform vec2 u_viewport;\n"
            "varying vec4 v_colour; varying vec2 v_uv;\n"
            "void main() { vec2 p = (a_position + u_translation) / u_viewport;\n"
            "  gl_Position = vec4(p.x * 2.0 - 1.0, 1.0 - p.y * 2.0, 0.0, 1.0); v_colour = "
            "a_colour; v_uv = a_uv; }\n";
        const char* fragment_source =
            "#version 100\nprecision mediump float;\n"
            "uniform sampler2D u_texture; uniform float u_textured;\n"
            "varying vec4 v_colour; varying vec2 v_uv;\n"
            "void main() { vec4 t = u_textured > 0.5 ? texture2D(u_texture, v_uv) : vec4(1.0); "
            "gl_FragColor = v_colour * t; }\n";
        program = glCreateProgram();
        for (auto [type, source] : {std::pair<GLenum, const char*>{GL_VERTEX_SHADER, vertex_source},
                                    {GL_FRAGMENT_SHADER, fragment_source}}) {
            GLuint shader = glCreateShader(type);
            glShaderSource(shader, 1, &source, nullptr);
            glCompileShader(shader);
            GLint ok = 0;
            glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
            if (!ok) return false;
            glAttachShader(program, shader);
        }
        glBindAttribLocation(program, 0, "a_position");
        glBindAttribLocation(program, 1, "a_colour");
        glBindAttribLocation(program, 2, "a_uv");
        glLinkProgram(program);
        GLint linked = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        glUseProgram(program);
        glUniform2f(glGetUniformLocation(program, "u_viewport"), width, height);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        return linked != 0;
    }

    void RenderGeometry(Vertex* vertices, int, int* indices, int num_indices, TextureHandle texture,
                        const Vector2f& translation) override {
        glUniform2f(glGetUniformLocation(program, "u_translation"), translation.x, translation.y);
        glUniform1f(glGetUniformLocation(program, "u_textured"), texture != 0 ? 1.0f : 0.0f);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        for (GLuint i = 0; i < 3; ++i) glEnableVertexAttribArray(i);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), &vertices[0].position);
        glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), &vertices[0].colour);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), &vertices[0].tex_coord);
        std::vector<GLushort> shorts(indices, indices + num_indices);
        glDrawElements(GL_TRIANGLES, num_indices, GL_UNSIGNED_SHORT, shorts.data());
    }
    void EnableScissorRegion(bool) override {}
    void SetScissorRegion(int, int, int, int) override {}

    // Any image is a checker board of 64 x 64.
    bool LoadTexture(TextureHandle& handle, Vector2i& dimensions, const String&) override {
        std::vector<byte> pixels(64 * 64 * 4);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                bool light = ((x / 8) + (y / 8)) % 2 == 0;
                byte* pixel = &pixels[static_cast<size_t>(y * 64 + x) * 4];
                pixel[0] = light ? 240 : 40;
                pixel[1] = light ? 200 : 40;
                pixel[2] = 40;
                pixel[3] = 255;
            }
        dimensions = Vector2i(64, 64);
        return GenerateTexture(handle, pixels.data(), dimensions);
    }
    bool GenerateTexture(TextureHandle& handle, const byte* source,
                         const Vector2i& dimensions) override {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, dimensions.x, dimensions.y, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, source);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        handle = texture;
        return true;
    }
    void ReleaseTexture(TextureHandle texture) override {
        GLuint name = static_cast<GLuint>(texture);
        glDeleteTextures(1, &name);
    }

private:
    GLuint program = 0;
};

bool SavePng(const char* path, const std::vector<byte>& rgba) {
    FILE* file = fopen(path, "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // GL rows start at the bottom.
    for (int row = height - 1; row >= 0; --row)
        png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(row) * width * 4]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    fclose(file);
    return true;
}

const char* const sample_page = R"(<rml>
<head>
<title>Sample</title>
<style>
body { display: block; width: 100%; height: 100%; font-family: DejaVu Sans; font-size: 24px; color: #ffffff;
       background-color: #203050; }
div { display: block; }
#title { position: absolute; left: 40px; top: 30px; font-size: 48px; font-weight: bold; color: #ffd040; }
#text { position: absolute; left: 40px; top: 120px; width: 460px; line-height: 1.4; }
#logo { position: absolute; right: 40px; top: 40px; width: 128px; height: 128px; }
.button { position: absolute; width: 240px; left: 40px; padding: 12px 0; text-align: center;
          background-color: #305080; border: 3px #a0c0ff; }
.button:hover { background-color: #4070b0; }
#start { top: 420px; }
#hud { z-index: 0; }
#score { position: absolute; right: 40px; bottom: 30px; font-size: 32px; color: #80ff80; }
</style>
</head>
<body id="sample">
<div id="title">Trellin</div>
<div id="text">Fran&#231;ais: &#201;lan, ça va? Deutsch: Gr&#246;&#223;e. Espa&#241;ol: &#161;Vamos, se&#241;or! Italiano: Citt&#224;.</div>
<img id="logo" src="images/logo.png"/>
<div id="start" class="button" onclick="start_game">S_START</div>
<layer name="HUD"><div id="score">Score: 12345</div></layer>
</body>
</rml>)";

TEST(RenderPictureTest, SamplePageDrawsThroughOpenGl) {
    EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
        GTEST_SKIP() << "no EGL display (set EGL_PLATFORM=surfaceless)";
    const EGLint config_attributes[] = {EGL_SURFACE_TYPE,
                                        EGL_PBUFFER_BIT,
                                        EGL_RENDERABLE_TYPE,
                                        EGL_OPENGL_ES2_BIT,
                                        EGL_RED_SIZE,
                                        8,
                                        EGL_GREEN_SIZE,
                                        8,
                                        EGL_BLUE_SIZE,
                                        8,
                                        EGL_ALPHA_SIZE,
                                        8,
                                        EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    ASSERT_TRUE(eglChooseConfig(display, config_attributes, &config, 1, &count) && count == 1);
    const EGLint surface_attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surface_attributes);
    eglBindAPI(EGL_OPENGL_ES_API);
    const EGLint context_attributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext gl_context = eglCreateContext(display, config, EGL_NO_CONTEXT, context_attributes);
    ASSERT_TRUE(eglMakeCurrent(display, surface, surface, gl_context));

    MemoryFileInterface files;
    RecordingSystemInterface system;
    system.translations["S_START"] = "D\xC3\xA9marrer";
    GlRenderInterface renderer;
    ASSERT_TRUE(renderer.Start());
    SetSystemInterface(&system);
    SetFileInterface(&files);
    SetRenderInterface(&renderer);
    ASSERT_TRUE(Initialise());
    ASSERT_TRUE(FontDatabase::LoadFontFace("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    ASSERT_TRUE(FontDatabase::LoadFontFace("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
    Context* context = CreateContext("default", Vector2i(width, height));
    files.files["sample.rml"] = sample_page;
    ElementDocument* document = context->LoadDocument("sample.rml");
    ASSERT_NE(document, nullptr);
    document->Show();
    document->RemoveReference();
    context->ProcessMouseMove(100, 450, 0);
    context->Update();

    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    context->Render("all");
    std::vector<byte> pixels(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_TRUE(SavePng("rocket_sample_page.png", pixels));

    auto pixel = [&pixels](int x, int y) {
        const byte* p =
            &pixels[(static_cast<size_t>(height - 1 - y) * width + static_cast<size_t>(x)) * 4];
        return Colourb(p[0], p[1], p[2], p[3]);
    };
    EXPECT_TRUE(pixel(600, 300) == Colourb(0x20, 0x30, 0x50, 255));
    // The hovered button, its border and the checker board image.
    EXPECT_TRUE(pixel(45, 470) == Colourb(0x40, 0x70, 0xb0, 255));
    EXPECT_TRUE(pixel(41, 421) == Colourb(0xa0, 0xc0, 0xff, 255));
    EXPECT_TRUE(pixel(1024 - 40 - 128 + 2, 42) == Colourb(240, 200, 40, 255));
    // Title text: some pixels of its colour in its box.
    int title_pixels = 0;
    for (int y = 30; y < 90; ++y)
        for (int x = 40; x < 300; ++x)
            title_pixels += pixel(x, y) == Colourb(0xff, 0xd0, 0x40, 255) ? 1 : 0;
    EXPECT_GT(title_pixels, 500);

    context->RemoveReference();
    Shutdown();
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, gl_context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
    eglReleaseThread();
}

}  // namespace
}  // namespace rocket_test
