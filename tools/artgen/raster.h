// Small software rasteriser used by artgen.
//
// Shapes are signed distance functions (negative inside, in pixels), which
// gives cheap anti-aliasing, outlines, insets and boolean combinations.
// Canvases hold premultiplied float RGBA.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace art {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- colour --

struct RGBA {
    float r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied), 0..1
};

inline RGBA rgb(int r, int g, int b, float a = 1.0f) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}
inline RGBA hex(uint32_t v, float a = 1.0f) {
    return rgb((v >> 16) & 255, (v >> 8) & 255, v & 255, a);
}
inline RGBA mix(RGBA p, RGBA q, double t) {
    float f = float(t);
    return {p.r + (q.r - p.r) * f, p.g + (q.g - p.g) * f,
            p.b + (q.b - p.b) * f, p.a + (q.a - p.a) * f};
}
inline RGBA alpha(RGBA c, double a) { c.a = float(a); return c; }
inline RGBA lighter(RGBA c, double t) { return alpha(mix(c, hex(0xFFFFFF), t), c.a); }
inline RGBA darker(RGBA c, double t) { return alpha(mix(c, hex(0x000000), t), c.a); }

// ----------------------------------------------------------------- noise --

// Integer hash so that every "random" pattern is identical on every run.
inline uint32_t hash32(uint32_t x) {
    x ^= x >> 16; x *= 0x7feb352dU;
    x ^= x >> 15; x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}
inline double hash01(int x, int y, int seed = 0) {
    uint32_t h = hash32(uint32_t(x) * 0x9E3779B1U ^ hash32(uint32_t(y) + 0x85EBCA77U * uint32_t(seed + 1)));
    return (h & 0xFFFFFF) / double(0x1000000);
}

// ---------------------------------------------------------------- shapes --

struct Vec { double x = 0, y = 0; };
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
inline double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
inline double len(Vec a) { return std::sqrt(dot(a, a)); }

class Shape {
public:
    using Fn = std::function<double(Vec)>;
    Shape() : f_(std::make_shared<Fn>([](Vec) { return 1e9; })) {}
    explicit Shape(Fn f) : f_(std::make_shared<Fn>(std::move(f))) {}
    double operator()(Vec p) const { return (*f_)(p); }
    double at(double x, double y) const { return (*f_)({x, y}); }
    bool inside(double x, double y) const { return at(x, y) <= 0; }

    Shape operator|(const Shape& o) const { auto a = *this, b = o; return Shape([a, b](Vec p) { return std::min(a(p), b(p)); }); }
    Shape operator&(const Shape& o) const { auto a = *this, b = o; return Shape([a, b](Vec p) { return std::max(a(p), b(p)); }); }
    Shape operator-(const Shape& o) const { auto a = *this, b = o; return Shape([a, b](Vec p) { return std::max(a(p), -b(p)); }); }
    // Grow (positive) or shrink (negative) the shape by d pixels.
    Shape grow(double d) const { auto a = *this; return Shape([a, d](Vec p) { return a(p) - d; }); }
    // Band of width w centred on the outline.
    Shape outline(double w) const { auto a = *this; return Shape([a, w](Vec p) { return std::fabs(a(p)) - w / 2; }); }
    Shape move(double dx, double dy) const { auto a = *this; return Shape([a, dx, dy](Vec p) { return a({p.x - dx, p.y - dy}); }); }
    // Rotate by deg degrees about (cx, cy).
    Shape rotate(double deg, double cx, double cy) const {
        auto a = *this; double c = std::cos(deg * kPi / 180), s = std::sin(deg * kPi / 180);
        return Shape([a, c, s, cx, cy](Vec p) {
            double x = p.x - cx, y = p.y - cy;
            return a({cx + x * c + y * s, cy - x * s + y * c});
        });
    }
    // Map from a unit design space: unit point u lands at (cx + u.x*k, cy + u.y*k).
    Shape place(double cx, double cy, double k) const {
        auto a = *this;
        return Shape([a, cx, cy, k](Vec p) { return a({(p.x - cx) / k, (p.y - cy) / k}) * k; });
    }
private:
    std::shared_ptr<Fn> f_;
};

// Union that melts the two shapes together over a distance of k pixels.
inline Shape smoothUnion(const Shape& a, const Shape& b, double k) {
    return Shape([a, b, k](Vec p) {
        double da = a(p), db = b(p);
        double h = std::clamp(0.5 + 0.5 * (db - da) / k, 0.0, 1.0);
        return db + (da - db) * h - k * h * (1 - h);
    });
}

inline Shape circle(double cx, double cy, double r) {
    return Shape([=](Vec p) { return len(p - Vec{cx, cy}) - r; });
}

// Ellipse given as centre and radii (close approximation of the true distance).
inline Shape ellipse(double cx, double cy, double rx, double ry) {
    if (std::fabs(rx - ry) < 1e-9) return circle(cx, cy, rx);
    return Shape([=](Vec p) {
        double x = p.x - cx, y = p.y - cy;
        double k0 = std::sqrt((x / rx) * (x / rx) + (y / ry) * (y / ry));
        double k1 = std::sqrt((x / (rx * rx)) * (x / (rx * rx)) + (y / (ry * ry)) * (y / (ry * ry)));
        if (k1 < 1e-12) return -std::min(rx, ry);
        return k0 * (k0 - 1.0) / k1;
    });
}
// Ellipse inscribed in the box (x0,y0)-(x1,y1), the way window regions are given.
inline Shape ellipseBox(double x0, double y0, double x1, double y1) {
    return ellipse((x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2);
}

inline Shape roundRect(double x0, double y0, double x1, double y1, double r) {
    double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    r = std::min(r, std::min(hx, hy));
    return Shape([=](Vec p) {
        double qx = std::fabs(p.x - cx) - hx + r, qy = std::fabs(p.y - cy) - hy + r;
        double out = len({std::max(qx, 0.0), std::max(qy, 0.0)});
        return out + std::min(std::max(qx, qy), 0.0) - r;
    });
}
inline Shape rect(double x0, double y0, double x1, double y1) { return roundRect(x0, y0, x1, y1, 0); }

// Straight segment with round caps of width w.
inline Shape line(double x0, double y0, double x1, double y1, double w) {
    Vec a{x0, y0}, b{x1, y1};
    return Shape([=](Vec p) {
        Vec pa = p - a, ba = b - a;
        double h = std::clamp(dot(pa, ba) / std::max(dot(ba, ba), 1e-12), 0.0, 1.0);
        return len(pa - ba * h) - w / 2;
    });
}

// Filled polygon (even-odd rule), exact distance to its edges.
inline Shape polygon(std::vector<Vec> v) {
    return Shape([v](Vec p) {
        double d = dot(p - v[0], p - v[0]);
        double s = 1.0;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
            Vec e = v[j] - v[i], w = p - v[i];
            Vec b = w - e * std::clamp(dot(w, e) / std::max(dot(e, e), 1e-12), 0.0, 1.0);
            d = std::min(d, dot(b, b));
            bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
        }
        return s * std::sqrt(d);
    });
}

// Circular arc stroke (angles in degrees, 0 = right, growing clockwise on screen).
inline Shape arc(double cx, double cy, double r, double a0, double a1, double w) {
    double mid = (a0 + a1) / 2 * kPi / 180, half = std::fabs(a1 - a0) / 2 * kPi / 180;
    return Shape([=](Vec p) {
        double x = p.x - cx, y = p.y - cy;
        double ang = std::atan2(y, x) - mid;
        ang = std::remainder(ang, 2 * kPi);
        if (std::fabs(ang) <= half) return std::fabs(len({x, y}) - r) - w / 2;
        double e0 = mid - half, e1 = mid + half;
        Vec p0{cx + r * std::cos(e0), cy + r * std::sin(e0)}, p1{cx + r * std::cos(e1), cy + r * std::sin(e1)};
        return std::min(len(p - p0), len(p - p1)) - w / 2;
    });
}

inline Shape star(double cx, double cy, double r0, double r1, int n, double rotDeg = -90) {
    std::vector<Vec> v;
    for (int i = 0; i < 2 * n; ++i) {
        double a = (rotDeg + i * 180.0 / n) * kPi / 180, r = (i % 2) ? r1 : r0;
        v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return polygon(v);
}

inline Shape heart(double cx, double cy, double size) {
    std::vector<Vec> v;
    for (int i = 0; i < 64; ++i) {
        double t = i * 2 * kPi / 64, s = std::sin(t);
        double x = 16 * s * s * s, y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        v.push_back({cx + x * size / 32, cy - (y + 2) * size / 32});
    }
    return polygon(v);
}

// ----------------------------------------------------------------- paint --

using Paint = std::function<RGBA(double, double)>;

inline Paint solid(RGBA c) { return [c](double, double) { return c; }; }

struct Stop { double t; RGBA c; };
inline RGBA sampleStops(const std::vector<Stop>& s, double t) {
    if (t <= s.front().t) return s.front().c;
    for (size_t i = 1; i < s.size(); ++i)
        if (t <= s[i].t) return mix(s[i - 1].c, s[i].c, (t - s[i - 1].t) / std::max(s[i].t - s[i - 1].t, 1e-12));
    return s.back().c;
}
inline Paint linear(double x0, double y0, double x1, double y1, std::vector<Stop> s) {
    double dx = x1 - x0, dy = y1 - y0, l2 = std::max(dx * dx + dy * dy, 1e-12);
    return [=](double x, double y) { return sampleStops(s, ((x - x0) * dx + (y - y0) * dy) / l2); };
}
inline Paint linear(double x0, double y0, double x1, double y1, RGBA a, RGBA b) {
    return linear(x0, y0, x1, y1, {{0, a}, {1, b}});
}
inline Paint radial(double cx, double cy, double rx, double ry, std::vector<Stop> s) {
    return [=](double x, double y) {
        double u = (x - cx) / rx, v = (y - cy) / ry;
        return sampleStops(s, std::sqrt(u * u + v * v));
    };
}
inline Paint radial(double cx, double cy, double r, RGBA a, RGBA b) {
    return radial(cx, cy, r, r, {{0, a}, {1, b}});
}

// ---------------------------------------------------------------- canvas --

class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h), px_(size_t(w) * h) {}
    int width() const { return w_; }
    int height() const { return h_; }

    // Premultiplied pixel access.
    RGBA& at(int x, int y) { return px_[size_t(y) * w_ + x]; }
    const RGBA& at(int x, int y) const { return px_[size_t(y) * w_ + x]; }

    // Source-over of a straight colour with extra coverage factor.
    void blend(int x, int y, RGBA c, double cov) {
        float a = float(c.a * cov);
        if (a <= 0) return;
        RGBA& d = at(x, y);
        d.r = c.r * a + d.r * (1 - a);
        d.g = c.g * a + d.g * (1 - a);
        d.b = c.b * a + d.b * (1 - a);
        d.a = a + d.a * (1 - a);
    }

    // Fill a shape; edges get one pixel of anti-aliasing ramp.
    void fill(const Shape& s, const Paint& p, double opacity = 1.0) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                double d = s.at(x + 0.5, y + 0.5);
                if (d >= 0.5) continue;
                double cov = std::clamp(0.5 - d, 0.0, 1.0) * opacity;
                blend(x, y, p(x + 0.5, y + 0.5), cov);
            }
    }
    void fill(const Shape& s, RGBA c, double opacity = 1.0) { fill(s, solid(c), opacity); }
    void paintAll(const Paint& p) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) blend(x, y, p(x + 0.5, y + 0.5), 1.0);
    }

    // Composite another canvas on top (premultiplied source-over).
    void draw(const Canvas& src, int dx = 0, int dy = 0, double opacity = 1.0) {
        for (int y = 0; y < src.h_; ++y)
            for (int x = 0; x < src.w_; ++x) {
                int tx = x + dx, ty = y + dy;
                if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
                RGBA s = src.at(x, y);
                float o = float(opacity), a = s.a * o;
                RGBA& d = at(tx, ty);
                d.r = s.r * o + d.r * (1 - a);
                d.g = s.g * o + d.g * (1 - a);
                d.b = s.b * o + d.b * (1 - a);
                d.a = a + d.a * (1 - a);
            }
    }

    // Keep only what lies inside the shape (anti-aliased).
    void clip(const Shape& s) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                float cov = float(std::clamp(0.5 - s.at(x + 0.5, y + 0.5), 0.0, 1.0));
                RGBA& d = at(x, y);
                d.r *= cov; d.g *= cov; d.b *= cov; d.a *= cov;
            }
    }

    // Approximate gaussian blur: three box passes each way.
    void blur(int radius) {
        if (radius <= 0) return;
        for (int pass = 0; pass < 3; ++pass) { boxPass(radius, true); boxPass(radius, false); }
    }

    // Soft shadow (or glow) of a shape, offset by (dx,dy).
    void shadow(const Shape& s, double dx, double dy, int radius, RGBA c) {
        Canvas layer(w_, h_);
        layer.fill(s.move(dx, dy), alpha(c, 1.0));
        layer.blur(radius);
        draw(layer, 0, 0, c.a);
    }
    // Shadow cast inwards from the shape's edge, offset by (dx,dy).
    void innerShadow(const Shape& s, double dx, double dy, int radius, RGBA c) {
        Canvas layer(w_, h_);
        layer.fill(rect(-50, -50, w_ + 50, h_ + 50) - s.move(dx, dy), alpha(c, 1.0));
        layer.blur(radius);
        layer.clip(s);
        draw(layer, 0, 0, c.a);
    }

    // Final straight colour of a pixel composited over an opaque backdrop.
    RGBA over(int x, int y, RGBA back) const {
        const RGBA& s = at(x, y);
        return {s.r + back.r * (1 - s.a), s.g + back.g * (1 - s.a), s.b + back.b * (1 - s.a), 1};
    }
    // Straight (un-premultiplied) colour with alpha, for icons.
    RGBA straight(int x, int y) const {
        const RGBA& s = at(x, y);
        if (s.a <= 0) return {};
        return {s.r / s.a, s.g / s.a, s.b / s.a, s.a};
    }

private:
    void boxPass(int r, bool horizontal) {
        int n = horizontal ? w_ : h_, lines = horizontal ? h_ : w_;
        std::vector<RGBA> buf(n);
        for (int l = 0; l < lines; ++l) {
            auto px = [&](int i) -> RGBA& { return horizontal ? at(i, l) : at(l, i); };
            for (int i = 0; i < n; ++i) buf[i] = px(i);
            double sr = 0, sg = 0, sb = 0, sa = 0;
            auto get = [&](int i) { return buf[std::clamp(i, 0, n - 1)]; };
            for (int i = -r; i <= r; ++i) { RGBA c = get(i); sr += c.r; sg += c.g; sb += c.b; sa += c.a; }
            double k = 1.0 / (2 * r + 1);
            for (int i = 0; i < n; ++i) {
                px(i) = {float(sr * k), float(sg * k), float(sb * k), float(sa * k)};
                RGBA in = get(i + r + 1), out = get(i - r);
                sr += in.r - out.r; sg += in.g - out.g; sb += in.b - out.b; sa += in.a - out.a;
            }
        }
    }

    int w_, h_;
    std::vector<RGBA> px_;
};

}  // namespace art
