// Draws the table backgrounds and the round-end picture into a folder.
//
// Every picture is the table's size (792 x 554 pixels, the 11880 x 8310
// twips of the window at 15 twips a pixel) and is made from seeded noise, so
// the build always writes the same files. The pictures stay dark and calm
// where the cards lie and in the top-left strip behind the hint line, so
// that white and yellow text stays readable on all of them.
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>

namespace {

constexpr int W = 792, H = 554;
constexpr double kPi = std::numbers::pi;

// ---- Seeded randomness ----

std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A value in [0, 1) for a lattice point.
double hash2(int x, int y, std::uint64_t seed) {
    const auto h =
        mix(seed ^ mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) ^
                       (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) << 32)));
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    double next() { return static_cast<double>(mix(state_++) >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    std::uint64_t state_;
};

double smooth(double t) {
    return t * t * (3 - 2 * t);
}
double smoothstep(double a, double b, double x) {
    return smooth(std::clamp((x - a) / (b - a), 0.0, 1.0));
}
double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

// Smooth value noise in [0, 1).
double noise(double x, double y, std::uint64_t seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = smooth(x - ix), fy = smooth(y - iy);
    const double a = hash2(ix, iy, seed), b = hash2(ix + 1, iy, seed);
    const double c = hash2(ix, iy + 1, seed), d = hash2(ix + 1, iy + 1, seed);
    return lerp(lerp(a, b, fx), lerp(c, d, fx), fy);
}

// Fractal noise of a few octaves, in [0, 1).
double fbm(double x, double y, int octaves, std::uint64_t seed) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise(x, y, seed + static_cast<std::uint64_t>(o) * 7919);
        norm += amp;
        amp *= 0.5;
        x = x * 2.03 + 17.1;
        y = y * 2.01 + 3.7;
    }
    return sum / norm;
}

// ---- Pixels ----

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb operator*(Rgb c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}
Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb mixRgb(Rgb a, Rgb b, double t) {
    return a * (1 - t) + b * t;
}

QRgb toPixel(Rgb c, double dither) {
    const auto ch = [dither](double v) { return std::clamp(static_cast<int>(v + dither), 0, 255); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

// Fills every pixel from a function of its position; a little dither keeps
// the gentle gradients free of bands.
void shade(QImage& img, std::uint64_t seed, const std::function<Rgb(int, int)>& f) {
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < W; ++x) line[x] = toPixel(f(x, y), hash2(x, y, seed));
    }
}

// 1 in the middle of the table, falling towards the corners.
double vignette(int x, int y, double strength) {
    const double dx = (x - W / 2.0) / (W / 2.0), dy = (y - H / 2.0) / (H / 2.0);
    return 1.0 - strength * std::pow(std::min(1.0, (dx * dx + dy * dy) / 2.0), 1.2);
}

// Woven cloth: fine threads along both axes plus a broad mottle.
double cloth(int x, int y, std::uint64_t seed) {
    const double threads =
        0.5 * (noise(x * 0.9, y * 0.15, seed) + noise(x * 0.15, y * 0.9, seed + 1));
    const double grain = hash2(x, y, seed + 2);
    const double mottle = fbm(x / 110.0, y / 110.0, 4, seed + 3);
    return 0.10 * (threads - 0.5) + 0.05 * (grain - 0.5) + 0.16 * (mottle - 0.5);
}

QImage blank() {
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

// ---- 1: the standard green felt ----

QImage greenFelt() {
    QImage img = blank();
    const Rgb felt{18, 108, 50};
    shade(img, 101, [&](int x, int y) {
        const double light = 1.08 * vignette(x, y, 0.55);
        return felt * ((1 + cloth(x, y, 11)) * light);
    });
    return img;
}

// ---- 2: grey linen ----

QImage greyLinen() {
    QImage img = blank();
    const Rgb grey{108, 110, 116};
    shade(img, 202, [&](int x, int y) {
        // Light falls from the upper left.
        const double fall = 1.06 - 0.14 * (x / double(W) * 0.6 + y / double(H) * 0.4);
        const double weave = 0.035 * std::sin(x * 1.9) * std::sin(y * 1.9);
        return grey * ((1 + cloth(x, y, 22) * 0.8 + weave) * fall * vignette(x, y, 0.5));
    });
    return img;
}

// ---- 3: casino table, burgundy rim with gold trim around green felt ----

QImage casino() {
    QImage img = blank();
    const double rim = 44, radius = 110;
    const QRectF feltRect(rim, rim, W - 2 * rim, H - 2 * rim);
    QPainterPath feltPath;
    feltPath.addRoundedRect(feltRect, radius, radius);

    const Rgb wine{92, 14, 26}, felt{14, 88, 46};
    shade(img, 303, [&](int x, int y) {
        if (feltPath.contains(QPointF(x + 0.5, y + 0.5)))
            return felt * ((1 + cloth(x, y, 33)) * 1.1 * vignette(x, y, 0.45));
        // Damask on the rim: a faint lattice of diamonds in the leather.
        const double u = (x + y) * kPi / 22, v = (x - y) * kPi / 22;
        const double damask = 0.06 * std::abs(std::sin(u) * std::sin(v));
        const double grain = 0.08 * (fbm(x / 40.0, y / 40.0, 3, 34) - 0.5);
        return wine * ((1 + damask + grain) * vignette(x, y, 0.6));
    });

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A shadow where the felt meets the rim, then the gold trim.
    for (int i = 0; i < 8; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 26 - 3 * i), 2));
        p.drawRoundedRect(feltRect.adjusted(i + 3, i + 3, -i - 3, -i - 3), radius - i - 3,
                          radius - i - 3);
    }
    QLinearGradient gold(0, 0, W, H);
    gold.setColorAt(0.0, QColor(235, 200, 110));
    gold.setColorAt(0.35, QColor(170, 125, 45));
    gold.setColorAt(0.6, QColor(240, 210, 125));
    gold.setColorAt(1.0, QColor(150, 105, 35));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(gold), 4));
    p.drawRoundedRect(feltRect, radius, radius);
    p.setPen(QPen(QBrush(gold), 1.2));
    p.drawRoundedRect(feltRect.adjusted(-7, -7, 7, 7), radius + 7, radius + 7);
    p.setPen(QPen(QColor(200, 160, 80, 90), 1));
    p.drawRoundedRect(feltRect.adjusted(12, 12, -12, -12), radius - 12, radius - 12);
    p.setPen(QPen(QBrush(gold), 1));
    p.drawRect(QRectF(6.5, 6.5, W - 13, H - 13));

    // Small gold diamonds along the rim, between the outer line and the trim.
    const auto diamond = [&p](QPointF c, double s) {
        QPolygonF d;
        d << QPointF(c.x(), c.y() - s) << QPointF(c.x() + s * 0.7, c.y())
          << QPointF(c.x(), c.y() + s) << QPointF(c.x() - s * 0.7, c.y());
        p.drawPolygon(d);
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 165, 80, 120));
    const double mid = (6.5 + rim - 7) / 2 + 3;
    for (double x = 120; x <= W - 120; x += 32) {
        diamond({x, mid}, 4.5);
        diamond({x, H - mid}, 4.5);
    }
    for (double y = 120; y <= H - 120; y += 32) {
        diamond({mid, y}, 4.5);
        diamond({W - mid, y}, 4.5);
    }
    // A gold flourish at each corner of the rim.
    p.setBrush(QColor(220, 180, 90, 170));
    for (QPointF c : {QPointF(mid, mid), QPointF(W - mid, mid), QPointF(mid, H - mid),
                      QPointF(W - mid, H - mid)})
        diamond(c, 9);
    return img;
}

// ---- 4: black and green, modern ----

QImage blackGreen() {
    QImage img = blank();
    shade(img, 404, [&](int x, int y) {
        const double dx = (x - W * 0.5) / W, dy = (y - H * 0.55) / H;
        const double glow = std::exp(-(dx * dx + dy * dy) * 6.0);
        Rgb c = mixRgb(Rgb{5, 9, 8}, Rgb{12, 58, 36}, glow);
        // Fine diagonal pinstripes, fading towards the edges.
        const double stripe = std::fmod(x + y, 12.0) < 1.0 ? 0.10 * glow + 0.04 : 0.0;
        // Broad soft bands across the table.
        const double band = 0.5 + 0.5 * std::sin((x - y * 0.6) / 140.0);
        const double grain = 0.05 * (hash2(x, y, 44) - 0.5);
        return c * (1 + stripe + 0.12 * band + grain) + Rgb{0, 6, 3} * smoothstep(0.4, 1, band);
    });
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Two faint angled panels of lighter glass.
    p.setPen(Qt::NoPen);
    QPolygonF panel;
    panel << QPointF(W * 0.58, 0) << QPointF(W * 0.78, 0) << QPointF(W * 0.46, H)
          << QPointF(W * 0.26, H);
    p.setBrush(QColor(80, 220, 140, 9));
    p.drawPolygon(panel);
    p.drawPolygon(panel.translated(W * 0.12, 0));
    // Two thin accent lines sweeping across the lower corners.
    QPen accent(QColor(60, 200, 120, 70), 1.5);
    p.setPen(accent);
    p.setBrush(Qt::NoBrush);
    QPainterPath sweep;
    sweep.moveTo(-20, H - 130);
    sweep.cubicTo(W * 0.3, H - 60, W * 0.55, H + 10, W * 0.75, H + 20);
    p.drawPath(sweep);
    p.setPen(QPen(QColor(60, 200, 120, 40), 1));
    p.drawPath(sweep.translated(0, 14));
    QPainterPath sweep2;
    sweep2.moveTo(W + 20, 150);
    sweep2.cubicTo(W * 0.8, 90, W * 0.72, 40, W * 0.62, -20);
    p.setPen(accent);
    p.drawPath(sweep2);
    return img;
}

// ---- 5: the galaxy, with a black hole ----

void glowDot(QPainter& p, QPointF c, double r, QColor core, int alpha) {
    QRadialGradient g(c, r);
    QColor mid = core, edge = core;
    core.setAlpha(alpha);
    mid.setAlpha(alpha / 4);
    edge.setAlpha(0);
    g.setColorAt(0, core);
    g.setColorAt(0.25, mid);
    g.setColorAt(1, edge);
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r, r);
}

QImage galaxy() {
    QImage img = blank();
    shade(img, 505, [&](int x, int y) {
        const double u = x / double(W), v = y / double(H);
        Rgb c = mixRgb(Rgb{3, 4, 12}, Rgb{10, 8, 26}, 0.5 * (u + v) * 0.8);
        // The nebula: a band of gas from the lower left to the upper right,
        // kept soft and dim so that cards stand out against it.
        const double across = (v - (0.85 - 0.7 * u)) / 0.30;
        const double belt = std::exp(-across * across);
        const double gas = fbm(x / 150.0, y / 150.0, 6, 51);
        const double wisps = fbm(x / 45.0 + gas * 3, y / 45.0, 4, 52);
        const double density = belt * smoothstep(0.35, 0.85, gas * 0.7 + wisps * 0.45);
        const double hue = fbm(x / 260.0, y / 260.0, 3, 53);
        const Rgb purple{120, 40, 150}, blue{30, 70, 170}, teal{20, 130, 150};
        const Rgb tint =
            hue < 0.5 ? mixRgb(purple, blue, hue * 2) : mixRgb(blue, teal, hue * 2 - 1);
        c = c + tint * (0.55 * density);
        // Dark dust lanes through the brightest gas.
        const double dust = smoothstep(0.55, 0.75, fbm(x / 70.0, y / 70.0, 4, 54));
        return c * (1 - 0.5 * dust * belt);
    });

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(5005);
    // Faint dust of distant stars, denser in the nebula's belt.
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.range(0, W), y = rng.range(0, H);
        const double b = std::pow(rng.next(), 3.0);
        const int a = static_cast<int>(40 + 200 * b);
        const double t = rng.next();
        QColor c = t < 0.15   ? QColor(255, 210, 170)
                   : t < 0.35 ? QColor(170, 200, 255)
                              : QColor(240, 240, 255);
        c.setAlpha(a);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), 0.45 + 0.5 * b, 0.45 + 0.5 * b);
    }
    // Brighter stars with a halo, a few with spikes.
    for (int i = 0; i < 70; ++i) {
        const double x = rng.range(0, W), y = rng.range(0, H);
        const double r = rng.range(3, 9);
        const double t = rng.next();
        const QColor c = t < 0.3   ? QColor(255, 220, 180)
                         : t < 0.6 ? QColor(180, 205, 255)
                                   : QColor(250, 250, 255);
        glowDot(p, {x, y}, r, c, 150);
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawEllipse(QPointF(x, y), 0.9, 0.9);
        if (i % 9 == 0) {
            QColor spike = c;
            spike.setAlpha(70);
            p.setPen(QPen(spike, 1));
            p.drawLine(QPointF(x - r * 2.2, y), QPointF(x + r * 2.2, y));
            p.drawLine(QPointF(x, y - r * 2.2), QPointF(x, y + r * 2.2));
            p.setPen(Qt::NoPen);
        }
    }

    // The black hole, off to the right: a warm lensing glow, the far side of
    // its disk bent up into a ring around the dark centre, the flat disk
    // across it and the near side of the disk in front of the centre.
    const QPointF hole(W * 0.80, H * 0.30);
    const double dark = 20;
    glowDot(p, hole, 95, QColor(255, 140, 60), 55);
    QRadialGradient halo(hole, dark * 2.4);
    halo.setColorAt(0.0, QColor(0, 0, 0, 0));
    halo.setColorAt(dark / (dark * 2.4) * 0.98, QColor(0, 0, 0, 0));
    halo.setColorAt(dark / (dark * 2.4) * 1.08, QColor(255, 225, 170, 230));
    halo.setColorAt(0.62, QColor(255, 150, 70, 90));
    halo.setColorAt(1.0, QColor(120, 40, 10, 0));
    p.setBrush(halo);
    p.setPen(Qt::NoPen);
    p.drawEllipse(hole, dark * 2.4, dark * 2.4);
    const auto disk = [&](double tilt, bool nearSide) {
        p.save();
        p.translate(hole);
        p.rotate(tilt);
        if (nearSide) p.setClipRect(QRectF(-120, 0, 240, 40));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 16; ++i) {
            const double rx = 78 - i * 2.6, ry = 11 - i * 0.3;
            p.setPen(QPen(QColor(255, 150 + 6 * i, 70 + 9 * i, 14 + 5 * i), 2.0));
            p.drawEllipse(QPointF(0, 0), rx, ry);
        }
        p.restore();
    };
    disk(-12, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(QColor(0, 0, 0));
    p.drawEllipse(hole, dark, dark);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    disk(-12, true);
    return img;
}

// ---- 6: sunshine in the forest ----

// A ridge line: heights along x from smooth noise.
QPainterPath ridge(double base, double amplitude, double scale, std::uint64_t seed) {
    QPainterPath path;
    path.moveTo(0, H);
    for (int x = 0; x <= W; x += 4) path.lineTo(x, base - amplitude * fbm(x / scale, 0.5, 4, seed));
    path.lineTo(W, H);
    path.closeSubpath();
    return path;
}

void conifer(QPainter& p, double x, double ground, double height, QColor dark, QColor lit) {
    const double width = height * 0.42;
    const int tiers = 5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 32, 20));
    p.drawRect(QRectF(x - width * 0.05, ground - height * 0.12, width * 0.1, height * 0.12));
    for (int t = 0; t < tiers; ++t) {
        const double f = t / double(tiers);
        const double top = ground - height + f * height * 0.72;
        const double bottom = top + height * 0.38;
        const double half = width * (0.28 + 0.72 * (f + 1.0 / tiers) * 0.85) / 2;
        QPolygonF left, right;
        left << QPointF(x, top) << QPointF(x - half, bottom) << QPointF(x, bottom - height * 0.04);
        right << QPointF(x, top) << QPointF(x + half, bottom) << QPointF(x, bottom - height * 0.04);
        p.setBrush(dark);
        p.drawPolygon(left);
        p.setBrush(lit);  // the sun is to the right
        p.drawPolygon(right);
    }
}

void leafyTree(QPainter& p, Rng& rng, double x, double ground, double size) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(58, 38, 24));
    p.drawRect(QRectF(x - size * 0.06, ground - size * 0.7, size * 0.12, size * 0.7));
    for (int i = 0; i < 14; ++i) {
        const double a = rng.range(0, 2 * kPi), d = rng.range(0, size * 0.38);
        const QPointF c(x + std::cos(a) * d, ground - size * 0.95 + std::sin(a) * d * 0.75);
        const double r = rng.range(size * 0.18, size * 0.3);
        const double lit = std::clamp(0.5 + 0.5 * std::cos(a) * d / (size * 0.38), 0.0, 1.0);
        QRadialGradient g(c + QPointF(r * 0.35, -r * 0.35), r * 1.3);
        g.setColorAt(0, QColor::fromRgbF(0.30 + 0.22 * lit, 0.50 + 0.18 * lit, 0.14));
        g.setColorAt(1, QColor(24, 62, 22));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
}

QImage forest() {
    QImage img = blank();
    const QPointF sun(W * 0.70, H * 0.07);
    // Sky: deep blue at the top (the hint strip), paler at the horizon.
    shade(img, 606, [&](int x, int y) {
        const double v = std::min(1.0, y / 300.0);
        Rgb c = mixRgb(Rgb{22, 66, 150}, Rgb{120, 176, 225}, std::pow(v, 1.4));
        const double dx = x - sun.x(), dy = y - sun.y();
        const double near = std::exp(-std::sqrt(dx * dx + dy * dy) / 120.0);
        c = mixRgb(c, Rgb{255, 244, 200}, 0.75 * near);
        // Soft clouds low in the sky, none behind the hint strip.
        const double cloud = smoothstep(0.55, 0.8, fbm(x / 120.0, y / 40.0, 5, 61)) *
                             smoothstep(60, 110, y) * (1 - smoothstep(200, 260, y));
        return mixRgb(c, Rgb{245, 245, 250}, 0.6 * cloud);
    });

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // Far hills in the haze, then nearer ones.
    p.setBrush(QColor(104, 150, 170));
    p.drawPath(ridge(300, 70, 140, 62));
    p.setBrush(QColor(70, 128, 110));
    p.drawPath(ridge(345, 60, 110, 63));

    Rng rng(6006);
    // A line of small far conifers along the hills.
    for (int i = 0; i < 70; ++i) {
        const double x = rng.range(-10, W + 10);
        const double h = rng.range(30, 55);
        conifer(p, x, 370 + rng.range(-6, 8), h, QColor(38, 88, 70), QColor(58, 115, 82));
    }
    // A meadow rising towards the front.
    QLinearGradient meadow(0, 360, 0, H);
    meadow.setColorAt(0, QColor(92, 150, 62));
    meadow.setColorAt(1, QColor(36, 92, 32));
    p.setBrush(meadow);
    p.drawPath(ridge(400, 30, 200, 64));

    // Sunlit patches on the meadow.
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (int i = 0; i < 7; ++i) {
        const QPointF c(rng.range(100, W - 100), rng.range(420, 520));
        const double r = rng.range(80, 140);
        QRadialGradient g(QPointF(0, 0), r);
        g.setColorAt(0, QColor(34, 36, 8));
        g.setColorAt(1, QColor(0, 0, 0));
        p.save();
        p.translate(c);
        p.scale(1.0, 0.3);
        p.setBrush(g);
        p.drawEllipse(QPointF(0, 0), r, r);
        p.restore();
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // Middle trees, then tall conifers framing both sides.
    for (int i = 0; i < 6; ++i)
        leafyTree(p, rng, rng.range(150, W - 170), 410 + rng.range(0, 12), rng.range(60, 85));
    for (int i = 0; i < 9; ++i) {
        const bool left = i % 2 == 0;
        const double x = left ? rng.range(-20, 150) : rng.range(W - 150, W + 20);
        const double h = rng.range(230, 380);
        conifer(p, x, H + 10 - rng.range(0, 40), h, QColor(16, 52, 30), QColor(34, 84, 42));
    }
    leafyTree(p, rng, 190, H - 10, 150);
    leafyTree(p, rng, W - 210, H - 5, 135);

    // Grass blades along the front edge.
    for (int i = 0; i < 1400; ++i) {
        const double x = rng.range(0, W), y = rng.range(470, H + 5);
        const double len = rng.range(5, 14) * (y - 440) / 110;
        const double lean = rng.range(-3, 3);
        const int g = static_cast<int>(rng.range(80, 150));
        p.setPen(QPen(QColor(30, g, 30, 200), 1.1));
        p.drawLine(QPointF(x, y), QPointF(x + lean, y - len));
    }
    p.setPen(Qt::NoPen);

    // Rays of sunlight spreading down through the trees.
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    // Each ray is a few nested wedges, so that its edges are soft.
    for (int i = 0; i < 12; ++i) {
        const double a = kPi * (0.55 + 0.42 * i / 11.0) + rng.range(-0.05, 0.05);
        const double spread = rng.range(0.02, 0.045);
        const double reach = rng.range(600, 900);
        for (int k = 1; k <= 4; ++k) {
            const double s = spread * k / 4;
            QPolygonF ray;
            ray << sun << sun + QPointF(std::cos(a - s), std::sin(a - s)) * 1100
                << sun + QPointF(std::cos(a + s), std::sin(a + s)) * 1100;
            QRadialGradient g(sun, reach);
            g.setColorAt(0, QColor(11, 10, 5));
            g.setColorAt(1, QColor(0, 0, 0));
            p.setBrush(g);
            p.drawPolygon(ray);
        }
    }
    // The sun itself.
    glowDot(p, sun, 90, QColor(255, 230, 160), 150);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(QColor(255, 252, 235));
    p.drawEllipse(sun, 20, 20);

    // Keep the middle of the table a little darker than the sky behind it,
    // so that names and counts stay readable.
    QRadialGradient calm(QPointF(W / 2.0, H * 0.58), W * 0.55);
    calm.setColorAt(0, QColor(0, 20, 0, 60));
    calm.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(calm);
    p.drawRect(0, 0, W, H);
    return img;
}

// ---- The round-end board: dark walnut planks ----

QImage walnut() {
    QImage img = blank();
    const int plank = 79;  // seven planks across the table
    shade(img, 707, [&](int x, int y) {
        const int row = y / plank;
        const double shift = hash2(row, 0, 71) * 1000;
        // Growth rings stretched along the plank, wavering with the grain.
        const double wobble = fbm((x + shift) / 160.0, y / 18.0, 4, 72);
        const double rings = (y % plank) / 9.0 + wobble * 6.0 + (x + shift) / 420.0;
        const double ring = 0.5 + 0.5 * std::sin(rings * 2 * kPi);
        const double fibre = noise((x + shift) / 14.0, y * 1.3, 73);
        const double tone = 0.9 + 0.2 * hash2(row, 1, 74);
        Rgb c = mixRgb(Rgb{44, 25, 14}, Rgb{82, 50, 28}, 0.55 * smooth(ring) + 0.25 * fibre);
        c = c * tone;
        // Seams between planks and the staggered joints along them.
        const int inRow = y % plank;
        if (inRow < 2)
            c = c * 0.45;
        else if (inRow < 4)
            c = c * 0.8;
        const int joint = static_cast<int>(shift) % 600 + 100;
        if (std::abs(x - joint) < 1 || std::abs(x - joint - 420) < 1) c = c * 0.5;
        return c * vignette(x, y, 0.55);
    });
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    struct Picture {
        const char* name;
        QImage (*draw)();
    };
    const Picture pictures[] = {
        {"bkGrnd1.bmp", greenFelt},  {"bkGrnd2.jpg", greyLinen}, {"bkGrnd3.jpg", casino},
        {"bkGrnd4.bmp", blackGreen}, {"bkGrnd5.bmp", galaxy},    {"bkGrnd6.jpg", forest},
        {"endround1.bmp", walnut},
    };
    for (const auto& pic : pictures) {
        const QString name = QString::fromLatin1(pic.name);
        const QImage img = pic.draw().convertToFormat(QImage::Format_RGB888);
        const bool jpeg = name.endsWith(QLatin1String(".jpg"));
        if (!img.save(dir + "/" + name, jpeg ? "JPG" : "BMP", jpeg ? 92 : -1)) return 1;
    }
    return 0;
}
