// artgen - draws the installer's picture resources from code.
//
// Writes three files into the folder given on the command line:
//   ZEZADERI.ico  icon 128: 32x32 and 16x16 images, 16 colours (4 bpp) each
//   logo.bmp      bitmap 169: the package logo, 402x186, 8 bpp with a 256-colour palette
//   working.avi   animation 162: 36 RLE8 frames of 265x62 at 15 frames a second,
//                 playable by the common controls' animation control
//
// Everything is drawn from geometric shapes and a small built-in pixel font; the output
// is byte-identical on every run (no clock, no randomness, no library trigonometry).
//
// Build: g++ -std=c++17 -O2 -Wall -Wextra -o artgen tools/artgen/*.cpp
// Run:   artgen <outdir> [--frames <dir>]
//        --frames also writes every animation frame as an uncompressed 8-bit BMP
//        (frame00.bmp ... frame35.bmp) for inspection.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Byte output

class Bytes {
public:
    void u8(unsigned v) { data_.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
    void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void tag(const char* four) { for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(four[i])); }
    void append(const std::vector<uint8_t>& more) { data_.insert(data_.end(), more.begin(), more.end()); }
    void append(const Bytes& more) { append(more.data_); }
    void patch32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data_[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    size_t size() const { return data_.size(); }
    const std::vector<uint8_t>& data() const { return data_; }

private:
    std::vector<uint8_t> data_;
};

bool writeFile(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "artgen: cannot create %s\n", path.c_str());
        return false;
    }
    const auto& d = bytes.data();
    bool ok = std::fwrite(d.data(), 1, d.size(), f) == d.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
    return ok;
}

// ---------------------------------------------------------------------------
// Colours and pictures

struct Rgb {
    int r = 0, g = 0, b = 0;
};

bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

uint32_t key(const Rgb& c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b); }
Rgb fromKey(uint32_t k) { return Rgb{int(k >> 16) & 0xFF, int(k >> 8) & 0xFF, int(k) & 0xFF}; }

int clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Linear mix of a and b; t in 0..1, rounded to the nearest level.
Rgb mix(const Rgb& a, const Rgb& b, double t) {
    auto ch = [t](int x, int y) { return clamp255(int(x + (y - x) * t + 0.5)); };
    return Rgb{ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

// A top-down picture of true colours.
struct Picture {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    Picture(int width, int height, Rgb fill) : w(width), h(height), px(size_t(width) * height, fill) {}
    Rgb& at(int x, int y) { return px[size_t(y) * w + x]; }
    const Rgb& at(int x, int y) const { return px[size_t(y) * w + x]; }
};

// A top-down picture of palette indices.
struct Indexed {
    int w = 0, h = 0;
    std::vector<uint8_t> px;
    uint8_t at(int x, int y) const { return px[size_t(y) * w + x]; }
};

// ---------------------------------------------------------------------------
// Palette building: fixed entries first, the remaining colours by median cut.

struct ColourCount {
    Rgb c;
    uint32_t n;
};

std::vector<Rgb> medianCut(std::vector<ColourCount> items, size_t boxes) {
    std::vector<std::vector<ColourCount>> all;
    all.push_back(std::move(items));
    auto channel = [](const Rgb& c, int ch) { return ch == 0 ? c.r : (ch == 1 ? c.g : c.b); };
    auto longest = [&](const std::vector<ColourCount>& box, int& axis) {
        int best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const auto& it : box) {
                lo = std::min(lo, channel(it.c, ch));
                hi = std::max(hi, channel(it.c, ch));
            }
            if (hi - lo > best) { best = hi - lo; axis = ch; }
        }
        return best;
    };
    while (all.size() < boxes) {
        size_t pick = all.size();
        uint64_t bestScore = 0;
        int pickAxis = 0;
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i].size() < 2) continue;
            int axis = 0;
            uint64_t range = uint64_t(longest(all[i], axis));
            uint64_t count = 0;
            for (const auto& it : all[i]) count += it.n;
            uint64_t score = range * range * count;
            if (score > bestScore) { bestScore = score; pick = i; pickAxis = axis; }
        }
        if (pick == all.size()) break;
        auto& box = all[pick];
        std::sort(box.begin(), box.end(), [&](const ColourCount& a, const ColourCount& b) {
            int ca = channel(a.c, pickAxis), cb = channel(b.c, pickAxis);
            return ca != cb ? ca < cb : key(a.c) < key(b.c);
        });
        uint64_t total = 0, run = 0;
        for (const auto& it : box) total += it.n;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.size(); ++i) {
            run += box[i].n;
            cut = i + 1;
            if (run * 2 >= total) break;
        }
        std::vector<ColourCount> upper(box.begin() + cut, box.end());
        box.resize(cut);
        all.push_back(std::move(upper));
    }
    std::vector<Rgb> out;
    for (const auto& box : all) {
        uint64_t n = 0, r = 0, g = 0, b = 0;
        for (const auto& it : box) {
            n += it.n; r += uint64_t(it.c.r) * it.n; g += uint64_t(it.c.g) * it.n; b += uint64_t(it.c.b) * it.n;
        }
        out.push_back(Rgb{int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n)});
    }
    return out;
}

// A 256-entry palette holding `fixed` first; every other colour of the pictures is
// represented by median cut. Unused entries are black.
std::vector<Rgb> buildPalette(const std::vector<Rgb>& fixed, const std::vector<const Picture*>& pics) {
    std::map<uint32_t, bool> isFixed;
    for (const auto& c : fixed) isFixed[key(c)] = true;
    std::map<uint32_t, uint32_t> hist;
    for (const Picture* p : pics)
        for (const auto& c : p->px)
            if (!isFixed.count(key(c))) ++hist[key(c)];
    std::vector<Rgb> pal = fixed;
    size_t room = 256 - fixed.size();
    if (hist.size() <= room) {
        for (const auto& kv : hist) pal.push_back(fromKey(kv.first));
    } else {
        std::vector<ColourCount> items;
        for (const auto& kv : hist) items.push_back(ColourCount{fromKey(kv.first), kv.second});
        for (const auto& c : medianCut(std::move(items), room)) pal.push_back(c);
    }
    pal.resize(256, Rgb{0, 0, 0});
    return pal;
}

Indexed mapToPalette(const Picture& pic, const std::vector<Rgb>& pal) {
    Indexed out;
    out.w = pic.w;
    out.h = pic.h;
    out.px.resize(pic.px.size());
    std::map<uint32_t, uint8_t> cache;
    for (size_t i = 0; i < pic.px.size(); ++i) {
        const Rgb& c = pic.px[i];
        auto found = cache.find(key(c));
        if (found == cache.end()) {
            int best = 0;
            long bestDist = -1;
            for (size_t k = 0; k < pal.size(); ++k) {
                long dr = c.r - pal[k].r, dg = c.g - pal[k].g, db = c.b - pal[k].b;
                long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
                if (bestDist < 0 || d < bestDist) { bestDist = d; best = int(k); }
            }
            found = cache.emplace(key(c), uint8_t(best)).first;
        }
        out.px[i] = found->second;
    }
    return out;
}

// ---------------------------------------------------------------------------
// Geometry: shapes are point-in-region tests in pixel units (y down, pixel (x, y)
// covers [x, x+1) x [y, y+1)).

using Shape = std::function<bool(double, double)>;

// Fraction of the pixel covered by the shape, from an n x n grid of samples.
double coverage(const Shape& s, int x, int y, int n = 6) {
    int in = 0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (s(x + (i + 0.5) / n, y + (j + 0.5) / n)) ++in;
    return double(in) / (n * n);
}

struct Pt {
    double x, y;
};

Shape polygon(std::vector<Pt> pts) {
    return [pts](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt& a = pts[i];
            const Pt& b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside;
    };
}

Shape rect(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

// Superellipse |dx/a|^4 + |dy/b|^4 <= 1: a rounded, squarish oval.
Shape squircle(double cx, double cy, double a, double b) {
    return [=](double x, double y) {
        double u = (x - cx) / a, v = (y - cy) / b;
        u *= u;
        v *= v;
        return u * u + v * v <= 1.0;
    };
}

Shape unite(std::vector<Shape> parts) {
    return [parts](double x, double y) {
        for (const auto& p : parts)
            if (p(x, y)) return true;
        return false;
    };
}

Shape subtract(Shape a, Shape b) {
    return [a, b](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape intersect(Shape a, Shape b) {
    return [a, b](double x, double y) { return a(x, y) && b(x, y); };
}

Shape moved(Shape s, double dx, double dy) {
    return [s, dx, dy](double x, double y) { return s(x - dx, y - dy); };
}

// Rounded rectangle with corner radius r.
Shape roundRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        double cx = x < x0 + r ? x0 + r : (x > x1 - r ? x1 - r : x);
        double cy = y < y0 + r ? y0 + r : (y > y1 - r ? y1 - r : y);
        double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= r * r;
    };
}

// Sine and cosine of an angle in degrees, by Taylor series, so that the result does
// not depend on the maths library.
void sinCosDeg(double deg, double& s, double& c) {
    while (deg >= 180.0) deg -= 360.0;
    while (deg < -180.0) deg += 360.0;
    const double x = deg * 3.14159265358979323846 / 180.0;
    double term = x, sum = 0.0;
    for (int k = 1; k < 30; k += 2) {
        sum += term;
        term *= -x * x / ((k + 1) * (k + 2));
    }
    s = sum;
    term = 1.0;
    sum = 0.0;
    for (int k = 0; k < 30; k += 2) {
        sum += term;
        term *= -x * x / ((k + 1) * (k + 2));
    }
    c = sum;
}

// ---------------------------------------------------------------------------
// A 5x7 pixel font for small captions.

const std::vector<std::string>& glyph(char ch) {
    static const std::map<char, std::vector<std::string>> font = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    };
    return font.at(ch);
}

// ---------------------------------------------------------------------------
// 8-bit BMP (logo, and frame dumps)

void putPalette(Bytes& out, const std::vector<Rgb>& pal) {
    for (const auto& c : pal) { out.u8(c.b); out.u8(c.g); out.u8(c.r); out.u8(0); }
}

void putInfoHeader(Bytes& out, int w, int h, int bits, uint32_t compression, uint32_t sizeImage,
                   uint32_t coloursUsed, int32_t ppm) {
    out.u32(40);
    out.i32(w);
    out.i32(h);
    out.u16(1);
    out.u16(bits);
    out.u32(compression);
    out.u32(sizeImage);
    out.i32(ppm);
    out.i32(ppm);
    out.u32(coloursUsed);
    out.u32(0);
}

Bytes bmp8(const Indexed& img, const std::vector<Rgb>& pal) {
    const uint32_t stride = (uint32_t(img.w) + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(img.h);
    const uint32_t offset = 14 + 40 + 4 * 256;
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(offset + imageSize);
    out.u16(0);
    out.u16(0);
    out.u32(offset);
    putInfoHeader(out, img.w, img.h, 8, 0, imageSize, 256, 2835);
    putPalette(out, pal);
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) out.u8(img.at(x, y));
        for (uint32_t x = uint32_t(img.w); x < stride; ++x) out.u8(0);
    }
    return out;
}

// ---------------------------------------------------------------------------
// The logo: "VOR" on a dark-blue to purple gradient.

const int kLogoW = 402, kLogoH = 186;
const int kRampSteps = 64;

const Rgb kSkyTop{14, 18, 78}, kSkyBottom{92, 30, 132};
const Rgb kInkTop{255, 255, 255}, kInkBottom{178, 166, 246};
const Rgb kFrameColour{132, 112, 220};
const Rgb kCaptionColour{206, 196, 255};
const Rgb kRuleColour{150, 124, 232};

// Gradient step for row y of a ramp that spans rows [top, top + height).
int rampStep(int y, int top, int height) {
    int s = (y - top) * kRampSteps / height;
    return s < 0 ? 0 : (s >= kRampSteps ? kRampSteps - 1 : s);
}

Rgb skyAt(int step) { return mix(kSkyTop, kSkyBottom, double(step) / (kRampSteps - 1)); }
Rgb shadowOf(const Rgb& c) { return mix(Rgb{0, 0, 0}, c, 0.42); }
Rgb inkAt(int step) { return mix(kInkTop, kInkBottom, double(step) / (kRampSteps - 1)); }

// The three big letters; each takes its left edge, top and height.
Shape letterV(double x0, double top, double h, double& width) {
    const double w = h * 1.0, s = h * 0.30, b = h * 0.30;
    width = w;
    const double inner = h * (w / 2 - s) / (w / 2 - b / 2);
    return polygon({{x0, top}, {x0 + s, top}, {x0 + w / 2, top + inner}, {x0 + w - s, top},
                    {x0 + w, top}, {x0 + w / 2 + b / 2, top + h}, {x0 + w / 2 - b / 2, top + h}});
}

Shape letterO(double x0, double top, double h, double& width) {
    const double w = h * 0.92, s = h * 0.28, t = h * 0.25;
    width = w;
    Shape outer = squircle(x0 + w / 2, top + h / 2, w / 2, h / 2);
    Shape inner = squircle(x0 + w / 2, top + h / 2, w / 2 - s, h / 2 - t);
    return subtract(outer, inner);
}

Shape letterR(double x0, double top, double h, double& width) {
    const double w = h * 0.86, s = h * 0.28;
    const double bowlH = h * 0.60, bar = h * 0.24;
    const double bowlW = w * 0.96, round = bowlH / 2;
    width = w;
    Shape stem = rect(x0, top, x0 + s, top + h);
    const double cx = x0 + bowlW - round;
    Shape bowlOuter = unite({rect(x0, top, cx, top + bowlH),
                             intersect(rect(cx, top, x0 + w, top + bowlH),
                                       squircle(cx, top + bowlH / 2, round, bowlH / 2))});
    const double innerTop = top + bar, innerBottom = top + bowlH - bar * 0.92;
    const double innerR = round - s;
    const double icx = cx;
    Shape bowlInner = unite({rect(x0 + s, innerTop, icx, innerBottom),
                             intersect(rect(icx, innerTop, x0 + w, innerBottom),
                                       squircle(icx, (innerTop + innerBottom) / 2, innerR,
                                                (innerBottom - innerTop) / 2))});
    Shape bowl = subtract(bowlOuter, bowlInner);
    const double legTop = innerBottom, legX = x0 + w * 0.40, legW = s * 1.08;
    Shape leg = polygon({{legX, legTop}, {legX + legW, legTop}, {x0 + w, top + h}, {x0 + w - legW, top + h}});
    return unite({stem, bowl, leg});
}

Bytes makeLogo() {
    Picture pic(kLogoW, kLogoH, Rgb{});
    // Background gradient and the fixed palette ramps.
    std::vector<Rgb> fixed;
    for (int s = 0; s < kRampSteps; ++s) fixed.push_back(skyAt(s));
    for (int s = 0; s < kRampSteps; ++s) fixed.push_back(shadowOf(skyAt(s)));
    for (int s = 0; s < kRampSteps; ++s) fixed.push_back(inkAt(s));
    fixed.push_back(kFrameColour);
    fixed.push_back(kCaptionColour);
    fixed.push_back(kRuleColour);
    {
        // Ramps may repeat a colour; keep each once, in order.
        std::vector<Rgb> unique;
        for (const auto& c : fixed)
            if (std::find(unique.begin(), unique.end(), c) == unique.end()) unique.push_back(c);
        fixed.swap(unique);
    }
    for (int y = 0; y < kLogoH; ++y)
        for (int x = 0; x < kLogoW; ++x) pic.at(x, y) = skyAt(rampStep(y, 0, kLogoH));

    // A thin rounded frame inside the border.
    {
        const double m = 6.5;
        Shape frame = subtract(roundRect(m, m, kLogoW - m, kLogoH - m, 9),
                               roundRect(m + 1.2, m + 1.2, kLogoW - m - 1.2, kLogoH - m - 1.2, 7.8));
        for (int y = 0; y < kLogoH; ++y)
            for (int x = 0; x < kLogoW; ++x) {
                double c = coverage(frame, x, y);
                if (c > 0) pic.at(x, y) = mix(pic.at(x, y), kFrameColour, c);
            }
    }

    // The letters, centred, with a hard drop shadow.
    const double letterH = 104, top = 22, gap = 16;
    double wv = 0, wo = 0, wr = 0;
    letterV(0, 0, letterH, wv);
    letterO(0, 0, letterH, wo);
    letterR(0, 0, letterH, wr);
    const double total = wv + wo + wr + 2 * gap;
    double x = (kLogoW - total) / 2;
    std::vector<Shape> parts;
    parts.push_back(letterV(x, top, letterH, wv));
    x += wv + gap;
    parts.push_back(letterO(x, top, letterH, wo));
    x += wo + gap;
    parts.push_back(letterR(x, top, letterH, wr));
    Shape letters = unite(parts);
    const int drop = 5;
    Shape shadow = moved(letters, drop, drop);
    // Only the letters' box (and their shadow's) needs sampling.
    const int left = int((kLogoW - total) / 2) - 1, right = int(x + wr) + drop + 1;
    const int bottom = int(top + letterH) + drop + 1;
    for (int y = int(top) - 1; y <= bottom; ++y) {
        const Rgb shade = shadowOf(skyAt(rampStep(y, 0, kLogoH)));
        const Rgb ink = inkAt(rampStep(y, int(top), int(letterH)));
        for (int xx = left; xx <= right; ++xx) {
            double cs = coverage(shadow, xx, y);
            if (cs > 0) pic.at(xx, y) = mix(pic.at(xx, y), shade, cs);
            double cl = coverage(letters, xx, y);
            if (cl > 0) pic.at(xx, y) = mix(pic.at(xx, y), ink, cl);
        }
    }

    // Caption in spaced small capitals, with rules on both sides.
    const std::string caption = "CUSTOM INSTALLER";
    const int scale = 2, advance = 7 * scale;
    const int capW = int(caption.size()) * advance - 2 * scale;
    const int capX = (kLogoW - capW) / 2, capY = 148;
    // Each lit font pixel becomes a scale x scale block, offset by (dx, dy).
    auto drawCaption = [&](int dx, int dy, const std::function<Rgb(int)>& colourOfRow) {
        for (size_t i = 0; i < caption.size(); ++i) {
            const auto& g = glyph(caption[i]);
            for (int gy = 0; gy < 7; ++gy)
                for (int gx = 0; gx < 5; ++gx) {
                    if (g[size_t(gy)][size_t(gx)] != '#') continue;
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx) {
                            int px = capX + int(i) * advance + gx * scale + sx + dx;
                            int py = capY + gy * scale + sy + dy;
                            pic.at(px, py) = colourOfRow(py);
                        }
                }
        }
    };
    drawCaption(1, 1, [](int y) { return shadowOf(skyAt(rampStep(y, 0, kLogoH))); });
    drawCaption(0, 0, [](int) { return kCaptionColour; });
    const int ruleY = capY + 6, ruleGap = 14, ruleLen = 58;
    for (int k = 0; k < ruleLen; ++k)
        for (int t = 0; t < 2; ++t) {
            pic.at(capX - ruleGap - k, ruleY + t) = kRuleColour;
            pic.at(capX + capW - 1 + ruleGap + k, ruleY + t) = kRuleColour;
        }

    std::vector<Rgb> pal = buildPalette(fixed, {&pic});
    return bmp8(mapToPalette(pic, pal), pal);
}

// ---------------------------------------------------------------------------
// The icon: two 16-colour images in the standard VGA palette, in the order that
// Windows uses for 4-bit bitmaps.

const Rgb kVga[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
enum Vga { Black = 0, Maroon, Green, Olive, Navy, Purple, Teal, Silver, Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White };

// An icon image: palette index per pixel, -1 for transparent.
struct IconImage {
    int size;
    std::vector<int> px;
    explicit IconImage(int s) : size(s), px(size_t(s) * s, -1) {}
    int& at(int x, int y) { return px[size_t(y) * size + x]; }
    int at(int x, int y) const { return px[size_t(y) * size + x]; }
};

void stamp(IconImage& img, const std::vector<std::string>& rows, int x0, int y0, int colour) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#') img.at(x0 + int(x), y0 + int(y)) = colour;
}

// A tile with rounded corners: black rim, a blue bevel on top and left, navy face.
void iconTile(IconImage& img, int cut) {
    const int n = img.size;
    auto inTile = [&](int x, int y, int inset) {
        int lo = inset, hi = n - 1 - inset, c = cut - inset;
        if (x < lo || x > hi || y < lo || y > hi) return false;
        int dx = x < lo + c ? lo + c - x : (x > hi - c ? x - (hi - c) : 0);
        int dy = y < lo + c ? lo + c - y : (y > hi - c ? y - (hi - c) : 0);
        return dx + dy <= c;
    };
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            if (!inTile(x, y, 0)) continue;
            if (!inTile(x, y, 1)) img.at(x, y) = Black;
            else if (!inTile(x - 1, y - 1, 1) || !inTile(x, y - 1, 1) || !inTile(x - 1, y, 1)) img.at(x, y) = Blue;
            else img.at(x, y) = Navy;
        }
}

IconImage icon32() {
    IconImage img(32);
    iconTile(img, 4);
    const std::vector<std::string> V = {
        "###...###", "###...###", "###...###", "###...###", ".###.###.", ".###.###.", ".###.###.",
        "..#####..", "..#####..", "..#####..", "...###...", "...###...", "...###...",
    };
    const std::vector<std::string> O = {
        ".######.", "########", "###..###", "###..###", "###..###", "###..###", "###..###",
        "###..###", "###..###", "###..###", "###..###", "########", ".######.",
    };
    const std::vector<std::string> R = {
        "#######.", "########", "###..###", "###..###", "###..###", "########", "#######.",
        "###.###.", "###..###", "###..###", "###..###", "###..###", "###..###",
    };
    const int top = 7;
    const int xs[3] = {2, 12, 21};
    const std::vector<std::string>* letters[3] = {&V, &O, &R};
    for (int i = 0; i < 3; ++i) stamp(img, *letters[i], xs[i] + 1, top + 1, Black);
    for (int i = 0; i < 3; ++i) stamp(img, *letters[i], xs[i], top, White);
    // Yellow underline with its shadow.
    for (int x = 5; x <= 26; ++x) {
        img.at(x, 23) = Yellow;
        img.at(x, 24) = Yellow;
        img.at(x + 1, 25) = Black;
    }
    img.at(27, 24) = Black;
    return img;
}

IconImage icon16() {
    IconImage img(16);
    iconTile(img, 2);
    const std::vector<std::string> V = {
        "###...###", "###...###", "###...###", ".###.###.", ".###.###.", "..#####..", "..#####..", "...###...",
    };
    stamp(img, V, 4, 3, Black);
    stamp(img, V, 3, 2, White);
    for (int x = 4; x <= 11; ++x) {
        img.at(x, 12) = Yellow;
        img.at(x + 1, 13) = Black;
    }
    return img;
}

Bytes iconDib(const IconImage& img) {
    const int n = img.size;
    const uint32_t xorStride = ((uint32_t(n) * 4 + 31) / 32) * 4;
    const uint32_t andStride = ((uint32_t(n) + 31) / 32) * 4;
    Bytes out;
    putInfoHeader(out, n, 2 * n, 4, 0, (xorStride + andStride) * uint32_t(n), 0, 0);
    for (const auto& c : kVga) { out.u8(c.b); out.u8(c.g); out.u8(c.r); out.u8(0); }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(xorStride, 0);
        for (int x = 0; x < n; ++x) {
            int v = img.at(x, y);
            if (v < 0) v = 0;  // transparent pixels are black under a set mask bit
            row[x / 2] |= uint8_t(x % 2 ? v : v << 4);
        }
        out.append(row);
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andStride, 0);
        for (int x = 0; x < n; ++x)
            if (img.at(x, y) < 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.append(row);
    }
    return out;
}

Bytes makeIcon() {
    std::vector<IconImage> images = {icon32(), icon16()};
    std::vector<Bytes> dibs;
    for (const auto& im : images) dibs.push_back(iconDib(im));
    Bytes out;
    out.u16(0);
    out.u16(1);
    out.u16(uint16_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.u8(uint8_t(images[i].size));
        out.u8(uint8_t(images[i].size));
        out.u8(16);
        out.u8(0);
        out.u16(1);
        out.u16(4);
        out.u32(uint32_t(dibs[i].size()));
        out.u32(offset);
        offset += uint32_t(dibs[i].size());
    }
    for (const auto& d : dibs) out.append(d);
    return out;
}

// ---------------------------------------------------------------------------
// The animation: pages fly in an arc from a floppy disk into an open folder.

const int kAviW = 265, kAviH = 62, kFrames = 36;
const int kFlight = 24;  // frames from the disk to the folder
const int kLaunch = 12;  // frames between two pages
const uint32_t kMicroSecPerFrame = 66667;

// The background is the control's transparent colour; no other colour may equal it
// or come near it.
const Rgb kBack{192, 192, 192};
const Rgb kOutline{0, 0, 0};
const Rgb kPaper{255, 255, 255};
const Rgb kPaperFold{168, 168, 184};
const Rgb kPaperText{64, 80, 176};
const Rgb kDiskBody{24, 40, 128};
const Rgb kDiskLight{72, 104, 200};
const Rgb kDiskLabel{248, 248, 240};
const Rgb kDiskLabelLine{96, 128, 216};
const Rgb kDiskShutter{224, 224, 232};
const Rgb kDiskShutterDark{96, 96, 112};
const Rgb kFolderBack{208, 152, 24};
const Rgb kFolderFront{255, 212, 72};
const Rgb kFolderLight{255, 240, 168};
const Rgb kGround{152, 152, 160};

// One opaque object: a colour for each frame pixel that it covers.
struct Sprite {
    std::vector<Rgb> colour;
    std::vector<uint8_t> on, edge;
    Sprite() : colour(size_t(kAviW) * kAviH), on(colour.size(), 0), edge(colour.size(), 0) {}
    bool has(int x, int y) const { return x >= 0 && y >= 0 && x < kAviW && y < kAviH && on[size_t(y) * kAviW + x]; }
    // Cover every pixel whose centre lies in the shape.
    void fill(const Shape& s, const Rgb& c) {
        for (int y = 0; y < kAviH; ++y)
            for (int x = 0; x < kAviW; ++x)
                if (s(x + 0.5, y + 0.5)) {
                    on[size_t(y) * kAviW + x] = 1;
                    colour[size_t(y) * kAviW + x] = c;
                }
    }
    // Recolour covered pixels inside the shape, leaving the outline alone.
    void paint(const Shape& s, const Rgb& c) {
        for (int y = 0; y < kAviH; ++y)
            for (int x = 0; x < kAviW; ++x) {
                size_t i = size_t(y) * kAviW + x;
                if (on[i] && !edge[i] && s(x + 0.5, y + 0.5)) colour[i] = c;
            }
    }
    // A one-pixel outline on every covered pixel beside an uncovered one.
    void outline(const Rgb& c) {
        for (int y = 0; y < kAviH; ++y)
            for (int x = 0; x < kAviW; ++x)
                if (has(x, y) && (!has(x - 1, y) || !has(x + 1, y) || !has(x, y - 1) || !has(x, y + 1))) {
                    edge[size_t(y) * kAviW + x] = 1;
                    colour[size_t(y) * kAviW + x] = c;
                }
    }
    void drawOn(Picture& pic) const {
        for (size_t i = 0; i < colour.size(); ++i)
            if (on[i]) pic.px[i] = colour[i];
    }
};

Shape ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}

// The 3.5" disk, label up and shutter down, 28x28 with its top-left corner at (x, y).
Sprite diskSprite(double x, double y) {
    const double w = 28, h = 28;
    Sprite s;
    s.fill(polygon({{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}}), kDiskBody);
    s.outline(kOutline);
    s.paint(rect(x + 1, y + 1, x + w - 4, y + 2), kDiskLight);
    s.paint(rect(x + 5, y + 1, x + w - 5, y + 14), kDiskLabel);
    for (int line = 0; line < 3; ++line)
        s.paint(rect(x + 8, y + 5 + 3 * line, x + w - 8, y + 6 + 3 * line), kDiskLabelLine);
    s.paint(rect(x + 7, y + 18, x + w - 5, y + h), kDiskShutter);
    s.paint(rect(x + 15, y + 20, x + 19, y + h - 2), kDiskShutterDark);
    s.paint(rect(x + 3, y + h - 4, x + 5, y + h - 2), kOutline);
    return s;
}

// The open folder, 40 wide and 27 high with its top-left corner at (x, y): the back
// with its tab, and the front flap, drawn separately so pages can drop between them.
Sprite folderBack(double x, double y) {
    const double w = 40, h = 27;
    Sprite s;
    s.fill(polygon({{x, y}, {x + 14, y}, {x + 17, y + 3}, {x + w - 2, y + 3}, {x + w - 2, y + h}, {x, y + h}}),
           kFolderBack);
    s.outline(kOutline);
    s.paint(rect(x + 1, y + 1, x + 14, y + 2), kFolderFront);
    return s;
}

Sprite folderFront(double x, double y) {
    const double w = 40, h = 27;
    Sprite s;
    s.fill(polygon({{x + 5, y + 8}, {x + w + 2, y + 8}, {x + w - 2, y + h}, {x, y + h}}), kFolderFront);
    s.outline(kOutline);
    s.paint(rect(x, y + 9, x + w + 2, y + 10), kFolderLight);
    return s;
}

// A page, 12x16 with a folded corner, centred at (cx, cy) and turned by deg degrees.
Sprite pageSprite(double cx, double cy, double deg) {
    double sn = 0, cs = 0;
    sinCosDeg(deg, sn, cs);
    auto local = [=](const Shape& s) {
        return Shape([=](double x, double y) {
            double dx = x - cx, dy = y - cy;
            return s(dx * cs + dy * sn, -dx * sn + dy * cs);
        });
    };
    Sprite s;
    s.fill(local(polygon({{-6, -8}, {2, -8}, {6, -4}, {6, 8}, {-6, 8}})), kPaper);
    s.outline(kOutline);
    s.paint(local(polygon({{1.5, -8}, {1.5, -3.5}, {6, -3.5}})), kPaperFold);
    s.paint(local(rect(-3.5, -5, 0, -3.5)), kPaperText);
    for (int line = 0; line < 3; ++line)
        s.paint(local(rect(-3.5, -1 + 3.2 * line, 3.5, 0.5 + 3.2 * line)), kPaperText);
    return s;
}

const double kDiskX = 24, kDiskY = 26, kFolderX = 209, kFolderY = 27;

// A page leans forward on its way up and back on its way down, by up to kTilt degrees.
const double kTilt = 28;
double sine(double turns) {
    double s = 0, c = 0;
    sinCosDeg(360.0 * turns, s, c);
    return s;
}

Picture animationFrame(int frame) {
    Picture pic(kAviW, kAviH, kBack);
    Sprite ground;
    ground.fill(ellipse(kDiskX + 15, kDiskY + 28.5, 18, 2.6), kGround);
    ground.fill(ellipse(kFolderX + 20, kFolderY + 27.5, 24, 2.6), kGround);
    ground.drawOn(pic);
    folderBack(kFolderX, kFolderY).drawOn(pic);
    // Pages leave every kLaunch frames; each spends kFlight frames in the air, starting
    // hidden behind the disk and ending hidden behind the folder's front.
    for (int k = kFrames / kLaunch - 1; k >= 0; --k) {
        int step = ((frame - k * kLaunch) % kFrames + kFrames) % kFrames;
        if (step >= kFlight) continue;
        double t = double(step) / (kFlight - 1);
        const double x0 = kDiskX + 14, y0 = kDiskY + 16, x1 = kFolderX + 20, y1 = kFolderY + 18, lift = 31;
        double cx = x0 + (x1 - x0) * t;
        double cy = y0 + (y1 - y0) * t - lift * 4 * t * (1 - t);
        pageSprite(cx, cy, kTilt * sine(t)).drawOn(pic);
    }
    diskSprite(kDiskX, kDiskY).drawOn(pic);
    folderFront(kFolderX, kFolderY).drawOn(pic);
    return pic;
}

// RLE8 for one bottom-up bitmap: encoded runs, absolute runs of three or more
// pixels, an end-of-line after every row and the end-of-bitmap mark.
std::vector<uint8_t> rle8(const Indexed& img) {
    std::vector<uint8_t> out;
    for (int y = img.h - 1; y >= 0; --y) {
        auto runAt = [&](int x) {
            int n = 1;
            while (x + n < img.w && n < 255 && img.at(x + n, y) == img.at(x, y)) ++n;
            return n;
        };
        int x = 0;
        while (x < img.w) {
            int run = runAt(x);
            if (run >= 3) {
                out.push_back(uint8_t(run));
                out.push_back(img.at(x, y));
                x += run;
                continue;
            }
            int end = x;
            while (end < img.w && end - x < 255 && runAt(end) < 3) ++end;
            int n = end - x;
            if (n >= 3) {
                out.push_back(0);
                out.push_back(uint8_t(n));
                for (int i = x; i < end; ++i) out.push_back(img.at(i, y));
                if (n % 2) out.push_back(0);
            } else {
                for (int i = x; i < end;) {
                    int same = (i + 1 < end && img.at(i + 1, y) == img.at(i, y)) ? 2 : 1;
                    out.push_back(uint8_t(same));
                    out.push_back(img.at(i, y));
                    i += same;
                }
            }
            x = end;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

Bytes makeAnimation(std::vector<Indexed>* framesOut, std::vector<Rgb>* paletteOut) {
    std::vector<Picture> pictures;
    for (int f = 0; f < kFrames; ++f) pictures.push_back(animationFrame(f));
    std::vector<const Picture*> refs;
    for (const auto& p : pictures) refs.push_back(&p);
    const std::vector<Rgb> pal = buildPalette({kBack}, refs);
    std::vector<Indexed> frames;
    std::vector<std::vector<uint8_t>> data;
    uint32_t largest = 0;
    for (const auto& p : pictures) {
        frames.push_back(mapToPalette(p, pal));
        data.push_back(rle8(frames.back()));
        largest = std::max(largest, uint32_t(data.back().size()));
    }

    Bytes avi;
    avi.tag("RIFF");
    const size_t riffSize = avi.size();
    avi.u32(0);
    avi.tag("AVI ");

    avi.tag("LIST");
    const size_t hdrlSize = avi.size();
    avi.u32(0);
    avi.tag("hdrl");
    avi.tag("avih");
    avi.u32(56);
    avi.u32(kMicroSecPerFrame);
    avi.u32(largest * 15);  // max bytes per second
    avi.u32(0);             // padding granularity
    avi.u32(0x10);          // AVIF_HASINDEX
    avi.u32(kFrames);
    avi.u32(0);  // initial frames
    avi.u32(1);  // streams
    avi.u32(largest);
    avi.u32(kAviW);
    avi.u32(kAviH);
    for (int i = 0; i < 4; ++i) avi.u32(0);

    avi.tag("LIST");
    const size_t strlSize = avi.size();
    avi.u32(0);
    avi.tag("strl");
    avi.tag("strh");
    avi.u32(56);
    avi.tag("vids");
    avi.u32(0);  // handler: none, the frames say BI_RLE8 themselves
    avi.u32(0);  // flags
    avi.u16(0);  // priority
    avi.u16(0);  // language
    avi.u32(0);  // initial frames
    avi.u32(1);  // scale
    avi.u32(15);  // rate: 15 / 1 frames a second
    avi.u32(0);  // start
    avi.u32(kFrames);
    avi.u32(largest);
    avi.u32(0xFFFFFFFFu);  // quality: default
    avi.u32(0);            // sample size: varies
    avi.u16(0);
    avi.u16(0);
    avi.u16(kAviW);
    avi.u16(kAviH);
    avi.tag("strf");
    avi.u32(40 + 4 * 256);
    putInfoHeader(avi, kAviW, kAviH, 8, 1, largest, 256, 0);
    putPalette(avi, pal);
    avi.patch32(strlSize, uint32_t(avi.size() - strlSize - 4));
    avi.patch32(hdrlSize, uint32_t(avi.size() - hdrlSize - 4));

    avi.tag("LIST");
    const size_t moviSize = avi.size();
    avi.u32(0);
    const size_t moviStart = avi.size();
    avi.tag("movi");
    std::vector<uint32_t> offsets;
    for (const auto& d : data) {
        offsets.push_back(uint32_t(avi.size() - moviStart));
        avi.tag("00dc");
        avi.u32(uint32_t(d.size()));
        avi.append(d);
        if (d.size() % 2) avi.u8(0);
    }
    avi.patch32(moviSize, uint32_t(avi.size() - moviSize - 4));

    avi.tag("idx1");
    avi.u32(16 * uint32_t(data.size()));
    for (size_t i = 0; i < data.size(); ++i) {
        avi.tag("00dc");
        avi.u32(0x10);  // AVIIF_KEYFRAME
        avi.u32(offsets[i]);
        avi.u32(uint32_t(data[i].size()));
    }
    avi.patch32(riffSize, uint32_t(avi.size() - riffSize - 4));

    if (framesOut) *framesOut = frames;
    if (paletteOut) *paletteOut = pal;
    return avi;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir, framesDir;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--frames" && i + 1 < argc) {
            framesDir = argv[++i];
        } else if (outDir.empty() && !a.empty() && a[0] != '-') {
            outDir = a;
        } else {
            outDir.clear();
            break;
        }
    }
    if (outDir.empty()) {
        std::fprintf(stderr, "usage: artgen <outdir> [--frames <dir>]\n"
                             "writes ZEZADERI.ico, logo.bmp and working.avi into <outdir>\n");
        return 2;
    }
    std::vector<Indexed> frames;
    std::vector<Rgb> pal;
    bool ok = writeFile(outDir + "/ZEZADERI.ico", makeIcon());
    ok = writeFile(outDir + "/logo.bmp", makeLogo()) && ok;
    ok = writeFile(outDir + "/working.avi", makeAnimation(&frames, &pal)) && ok;
    if (!framesDir.empty()) {
        for (size_t i = 0; i < frames.size(); ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame%02u.bmp", unsigned(i));
            ok = writeFile(framesDir + name, bmp8(frames[i], pal)) && ok;
        }
    }
    return ok ? 0 : 1;
}
