#include "RocketFuzzHost.h"

#include "tests/lib/rocket/RocketOpenFile.h"

using rocket_test::OpenFile;

RocketFuzzHost& RocketFuzzHost::Instance() {
    static RocketFuzzHost* host = new RocketFuzzHost();
    return *host;
}

RocketFuzzHost::RocketFuzzHost() {
    Rocket::Core::SetSystemInterface(this);
    Rocket::Core::SetFileInterface(this);
    Rocket::Core::SetRenderInterface(this);
    Rocket::Core::Initialise();
    Rocket::Core::FontDatabase::LoadFontFace("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    context = Rocket::Core::CreateContext("fuzz", Rocket::Core::Vector2i(1024, 600));
}

bool RocketFuzzHost::LoadTexture(Rocket::Core::TextureHandle& handle,
                                 Rocket::Core::Vector2i& dimensions, const Rocket::Core::String&) {
    handle = 1;
    dimensions = Rocket::Core::Vector2i(16, 8);
    return true;
}

bool RocketFuzzHost::GenerateTexture(Rocket::Core::TextureHandle& handle, const Rocket::Core::byte*,
                                     const Rocket::Core::Vector2i&) {
    handle = 2;
    return true;
}

Rocket::Core::FileHandle RocketFuzzHost::Open(const Rocket::Core::String& path) {
    auto* open = new OpenFile();
    if (path.find("fuzz.") != std::string::npos) {
        open->data = file;
    } else if (!open->ReadFromDisk(path.c_str())) {
        delete open;
        return 0;
    }
    return reinterpret_cast<Rocket::Core::FileHandle>(open);
}

void RocketFuzzHost::Close(Rocket::Core::FileHandle handle) {
    delete reinterpret_cast<OpenFile*>(handle);
}

size_t RocketFuzzHost::Read(void* buffer, size_t size, Rocket::Core::FileHandle handle) {
    return reinterpret_cast<OpenFile*>(handle)->Read(buffer, size);
}

bool RocketFuzzHost::Seek(Rocket::Core::FileHandle handle, long offset, int origin) {
    return reinterpret_cast<OpenFile*>(handle)->Seek(offset, origin);
}

size_t RocketFuzzHost::Tell(Rocket::Core::FileHandle handle) {
    return reinterpret_cast<OpenFile*>(handle)->position;
}
