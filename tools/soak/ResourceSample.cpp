#include "tools/soak/ResourceSample.h"

#include <AL/al.h>
#include <GLES2/gl2.h>
#include <Rocket/Core/Context.h>
#include <malloc.h>

#include <algorithm>
#include <iterator>

#include "core/memory/Allocator.h"
#include "ui/RocketSystem.h"

using orvo::MemoryManager;

namespace {

// GL names are handed out above the highest one ever used, so the name a new object would get
// bounds the search for live ones.
int liveBelow(GLuint next, GLboolean (*live)(GLuint)) {
    int count = 0;
    for (GLuint name = 1; name < next; ++name) {
        count += live(name) == GL_TRUE ? 1 : 0;
    }
    return count;
}

int liveGlNames(void (*generate)(GLsizei, GLuint*), void (*remove)(GLsizei, const GLuint*),
                GLboolean (*live)(GLuint)) {
    GLuint next = 0;
    generate(1, &next);
    remove(1, &next);
    return liveBelow(next, live);
}

// Programs and shaders share one name space.
int liveShaderNames(GLboolean (*live)(GLuint)) {
    const GLuint next = glCreateProgram();
    glDeleteProgram(next);
    return liveBelow(next, live);
}

// OpenAL Soft reuses the lowest free names of sources and buffers, so a fixed range covers
// anything the game can hold (its sources are pooled, its buffers a few dozen).
const ALuint AL_NAME_RANGE = 4096;

template <class Live>
int liveAlNames(Live live) {
    int count = 0;
    for (ALuint name = 1; name <= AL_NAME_RANGE; ++name) {
        count += live(name) == AL_TRUE ? 1 : 0;
    }
    alGetError();
    return count;
}

}  // namespace

ResourceSample ResourceSample::take(long frame, int run) {
    ResourceSample sample;
    sample.frame = frame;
    sample.run = run;
    if (MemoryManager* memory = MemoryManager::instance()) {
        for (const MemoryManager::CategoryLocation& location : MemoryManager::CATEGORY_LOCATIONS) {
            std::size_t bytes = 0;
            for (int index = location.first; index <= location.last; ++index) {
                if (Allocator* allocator = memory->getAllocator(index)) {
                    bytes += allocator->printStatus();
                }
            }
            sample.categoryBytes[location.category] = bytes;
        }
        if (Allocator* heap = memory->getAllocator(MemoryManager::PLATFORM_ALLOCATOR)) {
            sample.heapBlocks = heap->printStatus();
        }
    }
    sample.mallocBytes = mallinfo2().uordblks;

    sample.textures = liveGlNames(glGenTextures, glDeleteTextures, glIsTexture);
    sample.buffers = liveGlNames(glGenBuffers, glDeleteBuffers, glIsBuffer);
    sample.framebuffers = liveGlNames(glGenFramebuffers, glDeleteFramebuffers, glIsFramebuffer);
    sample.renderbuffers = liveGlNames(glGenRenderbuffers, glDeleteRenderbuffers, glIsRenderbuffer);
    sample.programs = liveShaderNames(glIsProgram);
    sample.shaders = liveShaderNames(glIsShader);
    glGetError();

    sample.sources = liveAlNames(alIsSource);
    sample.soundBuffers = liveAlNames(alIsBuffer);

    const orvo::RocketSystem* ui = orvo::RocketSystem::instance_;
    if (ui != nullptr && ui->getContext() != nullptr) {
        sample.documents = ui->getContext()->GetNumDocuments();
    }
    return sample;
}

std::vector<std::string> ResourceSample::names() {
    std::vector<std::string> result;
    for (int i = 0; i < MemoryManager::NUM_CATEGORIES; ++i) {
        result.push_back("c" + std::to_string(i));
    }
    for (const char* name :
         {"heapBlocks", "mallocBytes", "textures", "buffers", "programs", "shaders", "framebuffers",
          "renderbuffers", "sources", "soundBuffers", "documents"}) {
        result.push_back(name);
    }
    return result;
}

std::vector<long long> ResourceSample::figures() const {
    std::vector<long long> result(std::begin(categoryBytes), std::end(categoryBytes));
    for (long long value :
         {static_cast<long long>(heapBlocks), static_cast<long long>(mallocBytes),
          static_cast<long long>(textures), static_cast<long long>(buffers),
          static_cast<long long>(programs), static_cast<long long>(shaders),
          static_cast<long long>(framebuffers), static_cast<long long>(renderbuffers),
          static_cast<long long>(sources), static_cast<long long>(soundBuffers),
          static_cast<long long>(documents)}) {
        result.push_back(value);
    }
    return result;
}

std::string ResourceSample::header() {
    std::string line = "run frame";
    for (const std::string& name : names()) {
        line += " " + name;
    }
    return line;
}

std::string ResourceSample::row() const {
    std::string line = std::to_string(run) + " " + std::to_string(frame);
    for (long long value : figures()) {
        line += " " + std::to_string(value);
    }
    return line;
}

FigureRange figureRange(const ResourceSamples& samples, std::size_t begin, std::size_t end) {
    FigureRange range;
    range.lowest = range.highest = samples[begin].figures();
    for (std::size_t i = begin + 1; i < end; ++i) {
        const std::vector<long long> figures = samples[i].figures();
        for (std::size_t figure = 0; figure < figures.size(); ++figure) {
            range.lowest[figure] = std::min(range.lowest[figure], figures[figure]);
            range.highest[figure] = std::max(range.highest[figure], figures[figure]);
        }
    }
    return range;
}

std::vector<std::string> grownFigures(const ResourceSamples& samples) {
    std::vector<std::string> grown;
    if (samples.size() < 2) {
        return grown;
    }
    const std::size_t window = std::max<std::size_t>(1, samples.size() / 4);
    const std::vector<long long> firstHighest = figureRange(samples, 0, window).highest;
    const std::vector<long long> lastLowest =
        figureRange(samples, samples.size() - window, samples.size()).lowest;
    const std::vector<std::string> names = ResourceSample::names();
    for (std::size_t figure = 0; figure < names.size(); ++figure) {
        if (names[figure] != "mallocBytes" && names[figure] != "sources" &&
            lastLowest[figure] > firstHighest[figure]) {
            grown.push_back(names[figure]);
        }
    }
    return grown;
}
