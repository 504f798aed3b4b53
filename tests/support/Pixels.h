#pragma once

#include <stdlib.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace testsupport {

// Whether a program can be run by name.
inline bool haveTool(const std::string& name) {
    return runCommand("command -v " + name).status == 0;
}

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    auto operator<=>(const Rgb&) const = default;
};

// The pixels of a PNG file, decoded by netpbm's pngtopnm (a binary PPM is simple to read).
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<Rgb> rgb;

    Rgb at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }

    static std::optional<Pixels> ofPng(const std::filesystem::path& png) {
        const auto ppm = png.string() + ".ppm";
        if (runCommand("pngtopnm '" + png.string() + "' > '" + ppm + "'").status != 0) {
            return std::nullopt;
        }
        std::ifstream in(ppm, std::ios::binary);
        std::string magic;
        int maxValue = 0;
        Pixels p;
        in >> magic >> p.width >> p.height >> maxValue;
        in.get();
        if (magic != "P6" || maxValue != 255 || p.width <= 0 || p.height <= 0) {
            return std::nullopt;
        }
        std::vector<char> bytes(static_cast<std::size_t>(p.width * p.height * 3));
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!in) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < bytes.size(); i += 3) {
            p.rgb.push_back({static_cast<std::uint8_t>(bytes[i]),
                             static_cast<std::uint8_t>(bytes[i + 1]),
                             static_cast<std::uint8_t>(bytes[i + 2])});
        }
        return p;
    }

    // How many pixels of the rectangle pass the test.
    template <class Test>
    int count(int x, int y, int w, int h, Test test) const {
        int n = 0;
        for (int row = y; row < y + h && row < height; ++row) {
            for (int col = x; col < x + w && col < width; ++col) {
                n += test(at(col, row)) ? 1 : 0;
            }
        }
        return n;
    }

    std::size_t distinctColours(int x, int y, int w, int h) const {
        std::set<Rgb> seen;
        count(x, y, w, h, [&](Rgb c) { return seen.insert(c).second; });
        return seen.size();
    }
};

}  // namespace testsupport
