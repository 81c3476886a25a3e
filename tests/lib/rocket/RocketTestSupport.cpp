#include "RocketTestSupport.h"

#include "RocketOpenFile.h"

#include <Rocket/Core/FontFaceHandle.h>

namespace rocket_test {

FileHandle MemoryFileInterface::Open(const String& path) {
    auto found = files.find(path);
    auto* file = new OpenFile();
    if (found != files.end()) {
        file->data = found->second;
    } else if (!file->ReadFromDisk(path.c_str())) {
        delete file;
        return 0;
    }
    ++open_count;
    return reinterpret_cast<FileHandle>(file);
}

void MemoryFileInterface::Close(FileHandle file) { delete reinterpret_cast<OpenFile*>(file); }

size_t MemoryFileInterface::Read(void* buffer, size_t size, FileHandle handle) {
    return reinterpret_cast<OpenFile*>(handle)->Read(buffer, size);
}

bool MemoryFileInterface::Seek(FileHandle handle, long offset, int origin) {
    return reinterpret_cast<OpenFile*>(handle)->Seek(offset, origin);
}

size_t MemoryFileInterface::Tell(FileHandle handle) {
    return reinterpret_cast<OpenFile*>(handle)->position;
}

int RecordingSystemInterface::TranslateString(String& translated, const String& input) {
    auto found = translations.find(input);
    translated = found != translations.end() ? String(found->second) : input;
    return found != translations.end() ? 1 : 0;
}

bool RecordingSystemInterface::LogMessage(Log::Type type, const String& message) {
    messages.emplace_back(type, message);
    return true;
}

int RecordingSystemInterface::CountMessages(Log::Type type) const {
    int count = 0;
    for (const auto& message : messages) count += message.first == type ? 1 : 0;
    return count;
}

void RecordingRenderInterface::RenderGeometry(Vertex* vertices, int num_vertices, int*, int,
                                              TextureHandle texture, const Vector2f& translation) {
    draws.push_back(
        Draw{std::vector<Vertex>(vertices, vertices + num_vertices), texture, translation});
}

CompiledGeometryHandle RecordingRenderInterface::CompileGeometry(Vertex* vertices, int num_vertices,
                                                                 int* indices, int num_indices,
                                                                 TextureHandle texture) {
    if (!compile) return 0;
    CompiledGeometryHandle handle = next_handle++;
    compiled[handle] = Compiled{std::vector<Vertex>(vertices, vertices + num_vertices),
                                std::vector<int>(indices, indices + num_indices), texture};
    return handle;
}

void RecordingRenderInterface::RenderCompiledGeometry(CompiledGeometryHandle geometry,
                                                      const Vector2f& translation) {
    auto found = compiled.find(geometry);
    ASSERT_NE(found, compiled.end()) << "drawing a released geometry";
    if (found->second.texture != 0) {
        EXPECT_TRUE(textures.count(found->second.texture)) << "geometry names a released texture";
    }
    draws.push_back(Draw{found->second.vertices, found->second.texture, translation});
}

void RecordingRenderInterface::ReleaseCompiledGeometry(CompiledGeometryHandle geometry) {
    EXPECT_EQ(compiled.erase(geometry), 1u);
}

bool RecordingRenderInterface::LoadTexture(TextureHandle& handle, Vector2i& dimensions,
                                           const String& source) {
    auto found = image_sizes.find(source);
    if (found == image_sizes.end()) return false;
    handle = next_handle++;
    dimensions = found->second;
    textures[handle] = Texture{dimensions, {}, source};
    return true;
}

bool RecordingRenderInterface::GenerateTexture(TextureHandle& handle, const byte* source,
                                               const Vector2i& dimensions) {
    handle = next_handle++;
    textures[handle] =
        Texture{dimensions,
                std::vector<byte>(source, source + static_cast<size_t>(dimensions.x) *
                                                       static_cast<size_t>(dimensions.y) * 4),
                ""};
    return true;
}

void RecordingRenderInterface::ReleaseTexture(TextureHandle texture) {
    EXPECT_EQ(textures.erase(texture), 1u);
}

std::vector<RecordingRenderInterface::Rect> RecordingRenderInterface::DrawnRects() const {
    std::vector<Rect> rects;
    for (const Draw& draw : draws) {
        for (size_t i = 0; i + 3 < draw.vertices.size(); i += 4) {
            const Vertex& a = draw.vertices[i];
            const Vertex& c = draw.vertices[i + 2];
            rects.push_back(Rect{a.position.x + draw.translation.x,
                                 a.position.y + draw.translation.y, c.position.x - a.position.x,
                                 c.position.y - a.position.y, a.colour, draw.texture});
        }
    }
    return rects;
}

EventListener* RecordingInstancer::InstanceEventListener(const String& value) {
    return new RecordingListener(this, value);
}

RecordingListener::RecordingListener(RecordingInstancer* owner_, const String& value_)
    : owner(owner_), value(value_) {
    ++owner->listeners_alive;
}

RecordingListener::~RecordingListener() { --owner->listeners_alive; }

void RecordingListener::ProcessEvent(Event& event) {
    static const char* const phases[] = {"unknown", "capture", "target", "bubble"};
    Element* current = event.GetCurrentElement();
    if (owner->log != nullptr)
        owner->log->push_back(value + ":" + event.GetType() + ":" + phases[event.GetPhase()] + ":" +
                              (current != nullptr ? std::string(current->GetId()) : std::string()));
    auto action = owner->actions.find(value);
    if (action != owner->actions.end()) action->second(event);
}

void RocketTest::SetUp() {
    SetSystemInterface(&system);
    SetFileInterface(&files);
    SetRenderInterface(&renderer);
    ASSERT_TRUE(Initialise());
    Rocket::Controls::Initialise();
    instancer.log = &events;
    Factory::RegisterEventListenerInstancer(&instancer);
    ASSERT_TRUE(FontDatabase::LoadFontFace("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    ASSERT_TRUE(FontDatabase::LoadFontFace("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
    context = CreateContext("default", Vector2i(1024, 600));
    ASSERT_NE(context, nullptr);
}

void RocketTest::TearDown() {
    if (context != nullptr) context->RemoveReference();
    Shutdown();
    EXPECT_EQ(instancer.listeners_alive, 0);
    EXPECT_TRUE(renderer.compiled.empty());
    EXPECT_TRUE(renderer.textures.empty());
}

ElementDocument* RocketTest::Load(const std::string& name, const std::string& rml) {
    files.files[name] = rml;
    ElementDocument* document = context->LoadDocument(name);
    if (document != nullptr) {
        document->Show();
        document->RemoveReference();
    }
    return document;
}

std::shared_ptr<FontFaceHandle> RocketTest::Face(int size, const char* family) {
    return FontDatabase::GetFontFaceHandle(family, Font::STYLE_NORMAL, Font::WEIGHT_NORMAL, size);
}

}  // namespace rocket_test
