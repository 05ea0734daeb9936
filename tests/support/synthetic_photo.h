// True-colour pictures with the traits that make colour reduction hard: a smooth sky
// with faint noise, soft shading, hard edges between objects and fine texture.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin::test {

enum class PhotoScene {
    kSky,     // mostly gradient sky over a dark textured ground
    kObjects  // shaded discs and bars of many hues on a textured backdrop
};

inline std::uint8_t PhotoClamp(double v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : std::lround(v));
}

// 24 bpp, top-down; the same seed always gives the same picture.
inline DibPtr SyntheticPhoto(int width, int height, PhotoScene scene, std::uint32_t seed) {
    DibPtr dib(DibCreate(width, height, 24, nullptr, 1));
    if (!dib) return dib;
    std::uint32_t state = seed * 2654435761u + 1;
    auto noise = [&state](double amplitude) {
        state = state * 1664525u + 1013904223u;
        return amplitude * (static_cast<double>(state >> 8) / (1 << 24) - 0.5);
    };
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = DibRow(dib.get(), y);
        const double v = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x, p += 3) {
            const double u = static_cast<double>(x) / width;
            double r, g, b;
            if (scene == PhotoScene::kSky) {
                const double ground = 0.72 + 0.06 * std::sin(u * 9.0 + seed);
                if (v < ground) {
                    r = 70 + 150 * v + 30 * u;
                    g = 120 + 110 * v;
                    b = 210 + 40 * v - 20 * u;
                } else {
                    const double t = std::sin(x * 0.9) * std::sin(y * 1.3);
                    r = 60 + 40 * t;
                    g = 70 + 50 * t + 30 * (v - ground);
                    b = 30 + 20 * t;
                }
                r += noise(4);
                g += noise(4);
                b += noise(4);
            } else {
                r = 90 + 60 * std::sin(u * 5 + y * 0.05);
                g = 100 + 50 * std::sin(v * 7);
                b = 110 + 60 * std::cos((u + v) * 4);
                for (int k = 0; k < 6; ++k) {
                    const double cx = 0.15 + 0.14 * k, cy = 0.3 + 0.4 * ((k * 7 + seed) % 5) / 5.0;
                    const double d = std::hypot(u - cx, v - cy) / 0.1;
                    if (d < 1) {
                        const double shade = 1.2 - d;
                        r = 255 * shade * ((k % 3) == 0 ? 1 : 0.3);
                        g = 255 * shade * ((k % 3) == 1 ? 1 : 0.4);
                        b = 255 * shade * ((k % 3) == 2 ? 1 : 0.2);
                    }
                }
                if ((x / 40) % 7 == 3) r = g = b = 235 - 60 * v;
                r += noise(16);
                g += noise(16);
                b += noise(16);
            }
            p[0] = PhotoClamp(b);
            p[1] = PhotoClamp(g);
            p[2] = PhotoClamp(r);
        }
    }
    return dib;
}

}  // namespace vorlin::test
