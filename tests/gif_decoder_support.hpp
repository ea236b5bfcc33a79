#pragma once
// A strict little GIF reader for the tests: it takes apart the one shape of
// file the encoder writes (GIF89a, a 256-entry global table, one image at
// 0,0 covering the screen, an optional graphic control extension), undoes the
// LZW coding and the interlacing. Anything else throws.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace prestova::testing {

struct DecodedGif {
    int width = 0, height = 0;
    std::array<std::uint32_t, 256> palette{};
    int transparent_index = -1;  // -1: no transparency
    bool interlaced = false;
    std::vector<std::uint8_t> pixels;  // row-major, interlacing undone
};

class GifDecoder {
public:
    static DecodedGif decode(const std::vector<std::uint8_t>& bytes) { return GifDecoder(bytes).run(); }

private:
    explicit GifDecoder(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void check(bool ok, const std::string& what) const
    {
        if (!ok) throw std::runtime_error("bad GIF at byte " + std::to_string(at_) + ": " + what);
    }
    std::uint8_t byte()
    {
        check(at_ < bytes_.size(), "unexpected end");
        return bytes_[at_++];
    }
    int u16()
    {
        const int lo = byte();
        return lo | byte() << 8;
    }

    DecodedGif run()
    {
        DecodedGif g;
        std::string signature;
        for (int i = 0; i < 6; ++i) signature += static_cast<char>(byte());
        check(signature == "GIF89a", "signature " + signature);
        g.width = u16();
        g.height = u16();
        check(byte() == 0xF7, "screen flags: a 256-entry global table");
        byte(), byte();  // background, aspect
        for (auto& colour : g.palette) {
            const std::uint32_t r = byte(), gr = byte(), b = byte();
            colour = r << 16 | gr << 8 | b;
        }
        std::uint8_t introducer = byte();
        if (introducer == 0x21) {
            check(byte() == 0xF9 && byte() == 4, "graphic control extension");
            const std::uint8_t flags = byte();
            u16();  // delay
            const int index = byte();
            if (flags & 1) g.transparent_index = index;
            check(byte() == 0, "graphic control terminator");
            introducer = byte();
        }
        check(introducer == 0x2C, "image descriptor");
        check(u16() == 0 && u16() == 0 && u16() == g.width && u16() == g.height, "image placement");
        const std::uint8_t flags = byte();
        check((flags & 0xBF) == 0, "image flags");  // no local table
        g.interlaced = (flags & 0x40) != 0;
        const int min_code_size = byte();
        check(min_code_size >= 2 && min_code_size <= 8, "code size");
        std::vector<std::uint8_t> data;
        for (std::size_t length; (length = byte()) != 0;)
            for (std::size_t i = 0; i < length; ++i) data.push_back(byte());
        const std::vector<std::uint8_t> stored = lzw(min_code_size, data);
        check(stored.size() == static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height),
              "decoded " + std::to_string(stored.size()) + " pixels");
        g.pixels = g.interlaced ? deinterlace(stored, g.width, g.height) : stored;
        check(byte() == 0x3B && at_ == bytes_.size(), "trailer");
        return g;
    }

    std::vector<std::uint8_t> lzw(int min_code_size, const std::vector<std::uint8_t>& data)
    {
        const int clear = 1 << min_code_size, end = clear + 1;
        std::vector<std::vector<std::uint8_t>> table;
        int width = min_code_size + 1, previous = -1;
        std::size_t bit = 0;
        std::vector<std::uint8_t> out;
        for (bool first = true;; first = false) {
            check(bit + static_cast<std::size_t>(width) <= data.size() * 8, "LZW data ends without end code");
            int code = 0;
            for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
            check(!first || code == clear, "LZW data does not start with a clear code");
            if (code == clear) {
                table.assign(static_cast<std::size_t>(clear + 2), {});
                for (int i = 0; i < clear; ++i) table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i)};
                width = min_code_size + 1;
                previous = -1;
                continue;
            }
            if (code == end) break;
            const auto size = static_cast<int>(table.size());
            check(code < size || (code == size && previous >= 0), "LZW code " + std::to_string(code) + " beyond table");
            std::vector<std::uint8_t> entry =
                code < size ? table[static_cast<std::size_t>(code)] : table[static_cast<std::size_t>(previous)];
            if (code == size) entry.push_back(entry.front());
            if (previous >= 0 && size < 4096) {
                table.push_back(table[static_cast<std::size_t>(previous)]);
                table.back().push_back(entry.front());
                if (static_cast<int>(table.size()) == (1 << width) && width < 12) ++width;
            }
            out.insert(out.end(), entry.begin(), entry.end());
            previous = code;
        }
        check((bit + 7) / 8 == data.size(), "LZW data continues after the end code");
        return out;
    }

    static std::vector<std::uint8_t> deinterlace(const std::vector<std::uint8_t>& stored, int width, int height)
    {
        std::vector<std::uint8_t> pixels(stored.size());
        const auto w = static_cast<std::size_t>(width);
        std::size_t row_in = 0;
        for (auto [start, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
            for (int y = start; y < height; y += step, ++row_in)
                std::copy_n(stored.begin() + static_cast<std::ptrdiff_t>(row_in * w), w,
                            pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * w));
        return pixels;
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

}  // namespace prestova::testing
