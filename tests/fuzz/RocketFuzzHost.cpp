#include "RocketFuzzHost.h"

#include <cstdio>
#include <cstring>

namespace {

struct OpenFile {
    std::string data;
    size_t position = 0;
};

}  // namespace

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
    } else {
        FILE* stream = fopen(path.c_str(), "rb");
        if (stream == nullptr) {
            delete open;
            return 0;
        }
        char buffer[65536];
        size_t count = 0;
        while ((count = fread(buffer, 1, sizeof(buffer), stream)) > 0)
            open->data.append(buffer, count);
        fclose(stream);
    }
    return reinterpret_cast<Rocket::Core::FileHandle>(open);
}

void RocketFuzzHost::Close(Rocket::Core::FileHandle handle) {
    delete reinterpret_cast<OpenFile*>(handle);
}

size_t RocketFuzzHost::Read(void* buffer, size_t size, Rocket::Core::FileHandle handle) {
    auto* open = reinterpret_cast<OpenFile*>(handle);
    size_t count = std::min(size, open->data.size() - open->position);
    memcpy(buffer, open->data.data() + open->position, count);
    open->position += count;
    return count;
}

bool RocketFuzzHost::Seek(Rocket::Core::FileHandle handle, long offset, int origin) {
    auto* open = reinterpret_cast<OpenFile*>(handle);
    long base = origin == SEEK_SET ? 0
                                   : (origin == SEEK_END ? static_cast<long>(open->data.size())
                                                         : static_cast<long>(open->position));
    if (base + offset < 0 || base + offset > static_cast<long>(open->data.size())) return false;
    open->position = static_cast<size_t>(base + offset);
    return true;
}

size_t RocketFuzzHost::Tell(Rocket::Core::FileHandle handle) {
    return reinterpret_cast<OpenFile*>(handle)->position;
}
