#include "tools/face_drawing.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace prestova {

namespace {

// Palette layout. Entry 0 is the transparent background (white for readers
// that ignore transparency); the opaque entries are the face colours plus
// blends of yellow into black and into the outline for smooth edges.
constexpr std::uint8_t kTransparent = 0;
constexpr std::uint32_t kYellow = 0xFFD83A;
constexpr std::uint32_t kOutline = 0xB08A00;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kBlendSteps = 6;  // shades strictly between two face colours

enum class Ink { None, Yellow, Outline, Black };

constexpr double kCentre = kFaceSize / 2.0;  // 42.5: the middle of pixel 42
constexpr double kFaceRadius = 41.0;
constexpr double kOutlineWidth = 2.5;
constexpr double kEyeDx = 13.0, kEyeDy = -12.0, kEyeRx = 4.5, kEyeRy = 7.0;
constexpr double kMouthHalfWidth = 19.0;
constexpr double kMouthHalfThickness = 1.9;
constexpr int kMouthSegments = 48;

std::uint32_t blend(std::uint32_t from, std::uint32_t to, double t)
{
    std::uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>(std::lround(a + (b - a) * t)) << shift;
    }
    return out;
}

struct FacePalette {
    std::array<std::uint32_t, 256> colours{};
    int opaque_count = 0;  // entries 1..opaque_count are what the drawing uses
};

FacePalette make_palette()
{
    FacePalette p;
    p.colours[kTransparent] = 0xFFFFFF;
    int next = 1;
    for (std::uint32_t c : {kYellow, kOutline, kBlack}) p.colours[static_cast<std::size_t>(next++)] = c;
    for (std::uint32_t target : {kBlack, kOutline})
        for (int i = 1; i <= kBlendSteps; ++i)
            p.colours[static_cast<std::size_t>(next++)] = blend(kYellow, target, i / (kBlendSteps + 1.0));
    p.opaque_count = next - 1;
    // The rest is unused; a grey ramp keeps the table well defined.
    for (int i = next; i < 256; ++i) {
        const auto g = static_cast<std::uint32_t>(i);
        p.colours[static_cast<std::size_t>(i)] = g << 16 | g << 8 | g;
    }
    return p;
}

const FacePalette& palette()
{
    static const FacePalette p = make_palette();
    return p;
}

// Mouth centre line, as y offset from the centre for a given x offset:
// the smile's middle sags, the frown's middle rises, okay stays level.
double mouth_y(Verdict verdict, double dx)
{
    const double bend = 1.0 - (dx / kMouthHalfWidth) * (dx / kMouthHalfWidth);
    switch (verdict) {
    case Verdict::Good: return 14.0 + 8.0 * bend;
    case Verdict::Okay: return 19.0;
    case Verdict::Bad: return 24.0 - 8.0 * bend;
    }
    return 19.0;
}

double distance_to_segment(double px, double py, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / length2 : 0.0;
    t = std::fmin(1.0, std::fmax(0.0, t));
    const double ex = px - (ax + t * vx), ey = py - (ay + t * vy);
    return std::sqrt(ex * ex + ey * ey);
}

struct Mouth {
    std::array<double, kMouthSegments + 1> xs{}, ys{};
};

Mouth make_mouth(Verdict verdict)
{
    Mouth m;
    for (int i = 0; i <= kMouthSegments; ++i) {
        const double dx = -kMouthHalfWidth + 2.0 * kMouthHalfWidth * i / kMouthSegments;
        m.xs[static_cast<std::size_t>(i)] = dx;
        m.ys[static_cast<std::size_t>(i)] = mouth_y(verdict, dx);
    }
    return m;
}

// What lies at a point, given as offsets from the face centre. Everything
// depends on |dx| or on a mouth line that is even in dx, so the faces are
// exactly symmetric left to right.
Ink ink_at(const Mouth& mouth, double dx, double dy)
{
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r > kFaceRadius) return Ink::None;
    if (r > kFaceRadius - kOutlineWidth) return Ink::Outline;
    const double ex = (std::fabs(dx) - kEyeDx) / kEyeRx, ey = (dy - kEyeDy) / kEyeRy;
    if (ex * ex + ey * ey <= 1.0) return Ink::Black;
    if (std::fabs(dx) <= kMouthHalfWidth + kMouthHalfThickness && dy > 8.0) {
        // Measure on the mirrored side too so both halves see the same segments.
        const double ax = std::fabs(dx);
        for (int i = 0; i < kMouthSegments; ++i) {
            const auto a = static_cast<std::size_t>(i), b = a + 1;
            if (mouth.xs[b] < 0) continue;
            if (distance_to_segment(ax, dy, mouth.xs[a], mouth.ys[a], mouth.xs[b], mouth.ys[b]) <= kMouthHalfThickness)
                return Ink::Black;
        }
    }
    return Ink::Yellow;
}

std::uint8_t nearest_opaque(double r, double g, double b)
{
    const FacePalette& p = palette();
    int best = 1;
    double best_distance = std::numeric_limits<double>::max();
    for (int i = 1; i <= p.opaque_count; ++i) {
        const std::uint32_t c = p.colours[static_cast<std::size_t>(i)];
        const double er = r - ((c >> 16) & 0xFF), eg = g - ((c >> 8) & 0xFF), eb = b - (c & 0xFF);
        const double d = er * er + eg * eg + eb * eb;
        if (d < best_distance) {
            best_distance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

// Each pixel looks at a 4 x 4 grid of points: mostly outside the face means
// transparent (a GIF has no partial transparency), otherwise the average of
// the inks seen picks the nearest palette colour.
IndexedImage draw_face(Verdict verdict)
{
    constexpr int kSamples = 4;
    const Mouth mouth = make_mouth(verdict);

    IndexedImage image;
    image.width = kFaceSize;
    image.height = kFaceSize;
    image.palette = palette().colours;
    image.transparent_index = kTransparent;
    image.pixels.assign(static_cast<std::size_t>(kFaceSize) * kFaceSize, kTransparent);

    for (int y = 0; y < kFaceSize; ++y) {
        for (int x = 0; x < kFaceSize; ++x) {
            int outside = 0;
            std::array<int, 3> sums{};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double dx = x + (sx + 0.5) / kSamples - kCentre;
                    const double dy = y + (sy + 0.5) / kSamples - kCentre;
                    std::uint32_t c = 0;
                    switch (ink_at(mouth, dx, dy)) {
                    case Ink::None: ++outside; continue;
                    case Ink::Yellow: c = kYellow; break;
                    case Ink::Outline: c = kOutline; break;
                    case Ink::Black: c = kBlack; break;
                    }
                    sums[0] += static_cast<int>((c >> 16) & 0xFF);
                    sums[1] += static_cast<int>((c >> 8) & 0xFF);
                    sums[2] += static_cast<int>(c & 0xFF);
                }
            }
            const int inside = kSamples * kSamples - outside;
            if (outside * 2 >= kSamples * kSamples) continue;
            image.pixels[static_cast<std::size_t>(y) * kFaceSize + static_cast<std::size_t>(x)] =
                nearest_opaque(double(sums[0]) / inside, double(sums[1]) / inside, double(sums[2]) / inside);
        }
    }
    return image;
}

}  // namespace prestova
