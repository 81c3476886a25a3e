#pragma once

#include <Rocket/Controls.h>
#include <Rocket/Core.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rocket_test {

using namespace Rocket::Core;

// Files from a table first, then from the real file system (fonts).
class MemoryFileInterface : public FileInterface {
public:
    std::map<std::string, std::string> files;
    int open_count = 0;

    FileHandle Open(const String& path) override;
    void Close(FileHandle file) override;
    size_t Read(void* buffer, size_t size, FileHandle file) override;
    bool Seek(FileHandle file, long offset, int origin) override;
    size_t Tell(FileHandle file) override;
};

class RecordingSystemInterface : public SystemInterface {
public:
    std::map<std::string, std::string> translations;
    std::vector<std::pair<Log::Type, std::string>> messages;

    float GetElapsedTime() override { return 0.0f; }
    int TranslateString(String& translated, const String& input) override;
    bool LogMessage(Log::Type type, const String& message) override;
    int CountMessages(Log::Type type) const;
};

// Keeps what the library draws instead of drawing it.
class RecordingRenderInterface : public RenderInterface {
public:
    struct Compiled {
        std::vector<Vertex> vertices;
        std::vector<int> indices;
        TextureHandle texture;
    };
    struct Draw {
        std::vector<Vertex> vertices;
        TextureHandle texture;
        Vector2f translation;
    };
    struct Texture {
        Vector2i dimensions;
        std::vector<byte> pixels;
        String source;
    };

    std::map<CompiledGeometryHandle, Compiled> compiled;
    std::map<TextureHandle, Texture> textures;
    std::vector<Draw> draws;
    // Sizes LoadTexture reports, by source; other sources fail.
    std::map<std::string, Vector2i> image_sizes;
    bool compile = true;
    uintptr_t next_handle = 1;

    void RenderGeometry(Vertex* vertices, int num_vertices, int* indices, int num_indices,
                        TextureHandle texture, const Vector2f& translation) override;
    CompiledGeometryHandle CompileGeometry(Vertex* vertices, int num_vertices, int* indices,
                                           int num_indices, TextureHandle texture) override;
    void RenderCompiledGeometry(CompiledGeometryHandle geometry,
                                const Vector2f& translation) override;
    void ReleaseCompiledGeometry(CompiledGeometryHandle geometry) override;
    void EnableScissorRegion(bool) override {}
    void SetScissorRegion(int, int, int, int) override {}
    bool LoadTexture(TextureHandle& handle, Vector2i& dimensions, const String& source) override;
    bool GenerateTexture(TextureHandle& handle, const byte* source,
                         const Vector2i& dimensions) override;
    void ReleaseTexture(TextureHandle texture) override;

    // Drawn quads with one colour, as rectangles at their final position.
    struct Rect {
        float x, y, w, h;
        Colourb colour;
        TextureHandle texture;
    };
    std::vector<Rect> DrawnRects() const;
};

// Records every event reaching a listener made from an "on..." attribute, as
// "<attribute text>:<event type>:<phase>:<current element id>". Texts starting
// with "!" run an action (see Actions) instead of only being recorded.
class RecordingInstancer : public EventListenerInstancer {
public:
    std::vector<std::string>* log = nullptr;
    std::map<std::string, std::function<void(Event&)>> actions;
    int listeners_alive = 0;

    EventListener* InstanceEventListener(const String& value) override;
    void Release() override {}
};

class RecordingListener : public EventListener {
public:
    RecordingListener(RecordingInstancer* owner_, const String& value_);
    ~RecordingListener() override;
    void ProcessEvent(Event& event) override;
    void OnDetach(Element*) override { delete this; }

private:
    RecordingInstancer* owner;
    std::string value;
};

// The library set up with the recording interfaces, DejaVu fonts and one 1024 x 600 context.
class RocketTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads RML text as file name (registered in the file table), shown.
    ElementDocument* Load(const std::string& name, const std::string& rml);
    std::shared_ptr<FontFaceHandle> Face(int size, const char* family = "dejavu sans");

    MemoryFileInterface files;
    RecordingSystemInterface system;
    RecordingRenderInterface renderer;
    RecordingInstancer instancer;
    std::vector<std::string> events;
    Context* context = nullptr;
};

}  // namespace rocket_test
