#include "tools/data/TexturePatterns.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/data/Mesh.h"
#include "tools/data/SkyFaces.h"

namespace trellin {

namespace {

// ---- Deterministic noise: the same data gives the same pictures on every build. ----

uint32_t mixBits(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

uint32_t hash3(int x, int y, int z, uint32_t seed) {
    return mixBits(uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^
                   uint32_t(z) * 0xcb1ab31fu ^ mixBits(seed + 0x9e3779b9u));
}

float unitOf(uint32_t h) { return float(h & 0xFFFFFFu) / float(0xFFFFFF); }

float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::min(std::max((x - edge0) / (edge1 - edge0), 0.0f), 1.0f);
    return smooth(t);
}

float valueNoise(Vec3 p, uint32_t seed) {
    const float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int x = int(fx), y = int(fy), z = int(fz);
    const float tx = smooth(p.x - fx), ty = smooth(p.y - fy), tz = smooth(p.z - fz);
    float corner[8];
    for (int i = 0; i < 8; ++i) {
        corner[i] = unitOf(hash3(x + (i & 1), y + ((i >> 1) & 1), z + ((i >> 2) & 1), seed));
    }
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    const float x00 = lerp(corner[0], corner[1], tx), x10 = lerp(corner[2], corner[3], tx);
    const float x01 = lerp(corner[4], corner[5], tx), x11 = lerp(corner[6], corner[7], tx);
    return lerp(lerp(x00, x10, ty), lerp(x01, x11, ty), tz);
}

float fractalNoise(Vec3 p, int octaves, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(p, seed + uint32_t(i) * 131u);
        total += amplitude;
        amplitude *= 0.5f;
        p = p * 2.03f;
    }
    return sum / total;
}

float fract(float x) { return x - std::floor(x); }

// ---- Reading pattern keys ----

Colour readColour(SectionReader& r, const char* key, Colour fallback) {
    float c[4] = {fallback.r, fallback.g, fallback.b, fallback.a};
    r.optionalNumbers(key, c, 4);
    return Colour{c[0], c[1], c[2], c[3]};
}

float readNumber(SectionReader& r, const char* key, float fallback) {
    float value = fallback;
    r.optionalNumbers(key, &value, 1);
    return value;
}

const Colour WHITE{1, 1, 1, 1};
const Colour BLACK{0, 0, 0, 1};

// Calls paint(u, v) for the centre of every pixel and stores its colour.
void fill(Image& image, const std::function<Colour(float, float)>& paint) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.at(x, y) = paint((float(x) + 0.5f) / float(image.width()),
                                   (float(y) + 0.5f) / float(image.height()));
        }
    }
}

// ---- Patterns ----

void solid(SectionReader& r, Image& image) {
    const Colour c = readColour(r, "colour", WHITE);
    fill(image, [&](float, float) { return c; });
}

// A lane of the track: glowing edge lines along u, thin seams across it every repeat, a
// faint speckle so that the surface reads as moving.
void lane(SectionReader& r, Image& image) {
    const Colour base = readColour(r, "base", BLACK);
    const Colour line = readColour(r, "line", WHITE);
    const Colour seam = readColour(r, "seam", base);
    const float lineWidth = readNumber(r, "line_width", 0.05f);
    const float glowWidth = readNumber(r, "glow_width", 0.08f);
    const float seamWidth = readNumber(r, "seam_width", 0.02f);
    fill(image, [&](float u, float v) {
        const float edge = std::min(v, 1.0f - v);
        const float lineAmount = 1.0f - smoothstep(lineWidth * 0.7f, lineWidth, edge);
        const float glow = 0.45f * std::exp(-edge / glowWidth);
        const float across = std::min(u, 1.0f - u);
        const float seamAmount = 1.0f - smoothstep(seamWidth * 0.5f, seamWidth, across);
        const float speckle = 0.9f + 0.2f * valueNoise(Vec3{u * 40.0f, v * 24.0f, 0.5f}, 7);
        Colour c = scaled(mix(base, seam, seamAmount), speckle);
        c = mix(c, line, std::min(lineAmount + glow, 1.0f));
        c.a = 1.0f;
        return c;
    });
}

// A side rail: a lit band along the top of v with dashes of light along u.
void rail(SectionReader& r, Image& image) {
    const Colour base = readColour(r, "base", BLACK);
    const Colour light = readColour(r, "light", WHITE);
    const float dashes = readNumber(r, "dashes", 4.0f);
    fill(image, [&](float u, float v) {
        const float dash = 1.0f - smoothstep(0.15f, 0.22f, std::fabs(fract(u * dashes) - 0.5f));
        const float band = std::exp(-std::pow((v - 0.75f) / 0.12f, 2.0f));
        Colour c = mix(base, light, std::min(band * (0.35f + 0.65f * dash), 1.0f));
        c.a = 1.0f;
        return c;
    });
}

// Hull plating: panels of slightly different shades between dark seams.
void panels(SectionReader& r, Image& image) {
    const Colour base = readColour(r, "base", WHITE);
    const Colour line = readColour(r, "line", BLACK);
    const int columns = r.count("columns", 1, 64, 4);
    const int rows = r.count("rows", 1, 64, 4);
    const float jitter = readNumber(r, "jitter", 0.08f);
    fill(image, [&](float u, float v) {
        const float cu = u * float(columns), cv = v * float(rows);
        const float shade = 1.0f - jitter + 2.0f * jitter * unitOf(hash3(int(cu), int(cv), 0, 11));
        const float du = std::min(fract(cu), 1.0f - fract(cu)) / float(columns);
        const float dv = std::min(fract(cv), 1.0f - fract(cv)) / float(rows);
        const float seam = 1.0f - smoothstep(0.004f, 0.012f, std::min(du, dv));
        Colour c = mix(scaled(base, shade), line, seam);
        c.a = 1.0f;
        return c;
    });
}

// Chevrons pointing towards u = 0, white on transparent, for the craft's symbol colour.
void chevrons(SectionReader& r, Image& image) {
    const Colour colour = readColour(r, "colour", WHITE);
    const float count = readNumber(r, "count", 3.0f);
    const float slant = readNumber(r, "slant", 0.6f);
    fill(image, [&](float u, float v) {
        const float d = fract((u + std::fabs(v - 0.5f) * slant) * count);
        const float stripe = smoothstep(0.0f, 0.08f, d) * (1.0f - smoothstep(0.45f, 0.53f, d));
        const float border = smoothstep(0.0f, 0.1f, std::min(v, 1.0f - v));
        Colour c = colour;
        c.a = colour.a * stripe * border;
        return c;
    });
}

// An engine flame along u: hot and opaque at u = 0, fading out towards u = 1, brightest on
// the middle of v.
void trail(SectionReader& r, Image& image) {
    const Colour core = readColour(r, "core", WHITE);
    const Colour edge = readColour(r, "edge", WHITE);
    const float falloff = readNumber(r, "falloff", 1.5f);
    fill(image, [&](float u, float v) {
        const float across = 1.0f - std::pow(std::fabs(2.0f * v - 1.0f), 2.0f);
        const float along = std::pow(1.0f - u, falloff);
        Colour c = mix(edge, core, across * along);
        c.a = std::min(1.0f, across * along * 1.2f);
        return c;
    });
}

// Diagonal warning stripes inside a glowing frame.
void hazard(SectionReader& r, Image& image) {
    const Colour a = readColour(r, "a", WHITE);
    const Colour b = readColour(r, "b", BLACK);
    const Colour border = readColour(r, "border", a);
    const float stripes = readNumber(r, "stripes", 4.0f);
    const float borderWidth = readNumber(r, "border_width", 0.08f);
    fill(image, [&](float u, float v) {
        const float d = fract((u + v) * stripes);
        const float stripe = smoothstep(0.45f, 0.5f, d) * (1.0f - smoothstep(0.95f, 1.0f, d));
        const float edge = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
        const float frame = 1.0f - smoothstep(borderWidth * 0.8f, borderWidth, edge);
        Colour c = mix(mix(a, b, stripe), border, frame);
        c.a = 1.0f;
        return c;
    });
}

// A board of cells in two colours inside a frame.
void checker(SectionReader& r, Image& image) {
    const Colour a = readColour(r, "a", WHITE);
    const Colour b = readColour(r, "b", BLACK);
    const Colour border = readColour(r, "border", a);
    const int columns = r.count("columns", 1, 64, 8);
    const int rows = r.count("rows", 1, 64, 2);
    const float borderWidth = readNumber(r, "border_width", 0.1f);
    fill(image, [&](float u, float v) {
        const bool odd = (int(u * float(columns)) + int(v * float(rows))) % 2 != 0;
        const float edge = std::min(v, 1.0f - v);
        const float frame = 1.0f - smoothstep(borderWidth * 0.8f, borderWidth, edge);
        return mix(odd ? b : a, border, frame);
    });
}

// A round glow: colour at the centre, fading to transparent at the rim.
void glow(SectionReader& r, Image& image) {
    const Colour colour = readColour(r, "colour", WHITE);
    const Colour centre = readColour(r, "centre", colour);
    const float falloff = readNumber(r, "falloff", 2.0f);
    fill(image, [&](float u, float v) {
        const float d =
            std::min(1.0f, 2.0f * std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)));
        const float amount = std::pow(1.0f - d, falloff);
        Colour c = mix(colour, centre, amount * amount);
        c.a = colour.a * amount;
        return c;
    });
}

// One face of the space sky: dark depths, clouds of two nebula colours along a band, and
// stars. Every texel is painted from the direction it shows (see SkyFaces.h).
void space(SectionReader& r, Image& image) {
    const int face = skyFaceIndex(r.word("face"));
    if (face < 0) {
        r.fail("face is one of +x -x +y -y +z -z");
        return;
    }
    const Colour deep = readColour(r, "deep", BLACK);
    const Colour nebulaA = readColour(r, "nebula_a", WHITE);
    const Colour nebulaB = readColour(r, "nebula_b", WHITE);
    const float starDensity = readNumber(r, "stars", 0.08f);
    const uint32_t seed = static_cast<uint32_t>(r.count("seed", 0, 1000000, 1));
    const Vec3 bandAxis = normalised(Vec3{0.3f, 0.5f, 0.8f});
    const float cellsPerUnit = 70.0f;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Vec3 dir = normalised(skyFacePoint(face, skyTexelPosition(x, image.width()),
                                                     skyTexelPosition(y, image.height())));
            const float band = std::exp(-std::pow(dot(dir, bandAxis) / 0.35f, 2.0f));
            const float clouds = fractalNoise(dir * 2.2f, 5, seed);
            const float wisps = fractalNoise(dir * 4.5f + Vec3{7, 3, 1}, 5, seed + 17);
            const float density = smoothstep(0.35f, 0.75f, clouds) * (0.35f + 0.65f * band);
            Colour c = deep;
            c = added(c, scaled(nebulaA, density * 0.55f));
            c = added(c, scaled(nebulaB, std::pow(wisps, 3.0f) * density * 1.4f));
            c = added(c, scaled(nebulaA, band * 0.06f));
            // Stars: at most one per cell of a grid over the directions.
            const Vec3 p = dir * cellsPerUnit;
            float star = 0.0f;
            Colour tint = WHITE;
            for (int dz = -1; dz <= 1; ++dz) {
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int cx = int(std::floor(p.x)) + dx, cy = int(std::floor(p.y)) + dy,
                                  cz = int(std::floor(p.z)) + dz;
                        const uint32_t h = hash3(cx, cy, cz, seed + 101);
                        if (unitOf(h) > starDensity * (0.6f + 0.8f * band)) {
                            continue;
                        }
                        const Vec3 at{cx + unitOf(mixBits(h + 1)), cy + unitOf(mixBits(h + 2)),
                                      cz + unitOf(mixBits(h + 3))};
                        const Vec3 starDir = normalised(at);
                        const float distance = length(dir - starDir) * cellsPerUnit;
                        const float size = 0.06f + 0.10f * unitOf(mixBits(h + 4));
                        const float bright = 0.5f + 0.5f * unitOf(mixBits(h + 5));
                        const float amount =
                            bright * std::exp(-distance * distance / (size * size));
                        if (amount > star) {
                            star = amount;
                            const float warm = unitOf(mixBits(h + 6));
                            tint = Colour{0.8f + 0.2f * warm, 0.85f + 0.1f * warm,
                                          1.0f - 0.25f * warm, 1.0f};
                        }
                    }
                }
            }
            c = added(c, scaled(tint, star));
            c.a = 1.0f;
            image.at(x, y) = c;
        }
    }
}

struct Pattern {
    const char* name;
    void (*paint)(SectionReader&, Image&);
};

const Pattern PATTERNS[] = {
    {"solid", solid},       {"lane", lane},   {"rail", rail},     {"panels", panels},
    {"chevrons", chevrons}, {"trail", trail}, {"hazard", hazard}, {"checker", checker},
    {"glow", glow},         {"space", space},
};

}  // namespace

void paintPattern(const std::string& pattern, SectionReader& reader, Image& image) {
    for (const Pattern& p : PATTERNS) {
        if (pattern == p.name) {
            p.paint(reader, image);
            return;
        }
    }
    reader.fail("unknown pattern " + pattern);
}

}  // namespace trellin
