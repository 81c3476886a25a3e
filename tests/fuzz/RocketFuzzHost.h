#pragma once

#include <Rocket/Core.h>

#include <string>

// The library set up once for a fuzz target: files from memory, quiet logging,
// a render interface that compiles geometry and textures but draws nothing.
class RocketFuzzHost : public Rocket::Core::RenderInterface,
                       public Rocket::Core::FileInterface,
                       public Rocket::Core::SystemInterface {
public:
    static RocketFuzzHost& Instance();

    Rocket::Core::Context* GetContext() const { return context; }
    // The contents of every file named "fuzz.*".
    std::string file;

    void RenderGeometry(Rocket::Core::Vertex*, int, int*, int, Rocket::Core::TextureHandle,
                        const Rocket::Core::Vector2f&) override {}
    Rocket::Core::CompiledGeometryHandle CompileGeometry(Rocket::Core::Vertex*, int, int*, int,
                                                         Rocket::Core::TextureHandle) override {
        return 1;
    }
    void EnableScissorRegion(bool) override {}
    void SetScissorRegion(int, int, int, int) override {}
    bool LoadTexture(Rocket::Core::TextureHandle& handle, Rocket::Core::Vector2i& dimensions,
                     const Rocket::Core::String&) override;
    bool GenerateTexture(Rocket::Core::TextureHandle& handle, const Rocket::Core::byte*,
                         const Rocket::Core::Vector2i&) override;

    Rocket::Core::FileHandle Open(const Rocket::Core::String& path) override;
    void Close(Rocket::Core::FileHandle handle) override;
    size_t Read(void* buffer, size_t size, Rocket::Core::FileHandle handle) override;
    bool Seek(Rocket::Core::FileHandle handle, long offset, int origin) override;
    size_t Tell(Rocket::Core::FileHandle handle) override;

    float GetElapsedTime() override { return 0; }

private:
    RocketFuzzHost();

    Rocket::Core::Context* context = nullptr;
};
