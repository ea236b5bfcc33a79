#pragma once
// A strict little GIF reader for the tests: it takes a single-frame GIF89a
// apart, undoes the LZW coding and the interlacing, and records what the
// coded stream looked like so tests can check its shape. Any fault throws.
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace prestova::testing {

struct DecodedGif {
    std::string signature;
    int screen_width = 0, screen_height = 0;
    bool global_table = false;
    int global_table_size = 0;
    std::array<std::uint32_t, 256> palette{};
    bool has_control_extension = false;
    bool transparency = false;
    int transparent_index = -1;
    int left = 0, top = 0, width = 0, height = 0;
    bool local_table = false;
    bool interlaced = false;
    int min_code_size = 0;
    std::vector<std::size_t> sub_block_sizes;
    int clear_codes = 0;
    int widest_code = 0;
    bool ended_with_end_code = false;
    std::vector<std::uint8_t> pixels;  // row-major, interlacing undone
};

class GifDecoder {
public:
    static DecodedGif decode(const std::vector<std::uint8_t>& bytes)
    {
        GifDecoder d(bytes);
        return d.run();
    }

private:
    explicit GifDecoder(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    [[noreturn]] void fail(const std::string& what) const
    {
        throw std::runtime_error("bad GIF at byte " + std::to_string(at_) + ": " + what);
    }
    std::uint8_t byte()
    {
        if (at_ >= bytes_.size()) fail("unexpected end");
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
        for (int i = 0; i < 6; ++i) g.signature += static_cast<char>(byte());
        if (g.signature != "GIF89a" && g.signature != "GIF87a") fail("signature " + g.signature);
        g.screen_width = u16();
        g.screen_height = u16();
        const std::uint8_t screen_flags = byte();
        byte();  // background
        byte();  // aspect
        g.global_table = (screen_flags & 0x80) != 0;
        if (g.global_table) {
            g.global_table_size = 2 << (screen_flags & 7);
            for (int i = 0; i < g.global_table_size; ++i) {
                const std::uint32_t r = byte(), gr = byte(), b = byte();
                g.palette[static_cast<std::size_t>(i)] = r << 16 | gr << 8 | b;
            }
        }
        bool have_image = false;
        for (;;) {
            const std::uint8_t introducer = byte();
            if (introducer == 0x3B) break;
            if (introducer == 0x21) {
                extension(g);
            } else if (introducer == 0x2C) {
                if (have_image) fail("second image");
                image(g);
                have_image = true;
            } else {
                fail("unknown block " + std::to_string(introducer));
            }
        }
        if (!have_image) fail("no image");
        if (at_ != bytes_.size()) fail("bytes after trailer");
        return g;
    }

    void extension(DecodedGif& g)
    {
        const std::uint8_t label = byte();
        if (label == 0xF9) {
            if (byte() != 4) fail("graphic control size");
            const std::uint8_t flags = byte();
            u16();  // delay
            const int index = byte();
            if (byte() != 0) fail("graphic control terminator");
            g.has_control_extension = true;
            g.transparency = (flags & 1) != 0;
            if (g.transparency) g.transparent_index = index;
            return;
        }
        data_blocks(nullptr);
    }

    std::vector<std::uint8_t> data_blocks(std::vector<std::size_t>* sizes)
    {
        std::vector<std::uint8_t> data;
        for (;;) {
            const std::size_t length = byte();
            if (length == 0) return data;
            if (sizes) sizes->push_back(length);
            for (std::size_t i = 0; i < length; ++i) data.push_back(byte());
        }
    }

    void image(DecodedGif& g)
    {
        g.left = u16();
        g.top = u16();
        g.width = u16();
        g.height = u16();
        const std::uint8_t flags = byte();
        g.local_table = (flags & 0x80) != 0;
        g.interlaced = (flags & 0x40) != 0;
        if (g.local_table)
            for (int i = 0; i < (2 << (flags & 7)) * 3; ++i) byte();
        g.min_code_size = byte();
        if (g.min_code_size < 2 || g.min_code_size > 8) fail("code size");
        const std::vector<std::uint8_t> data = data_blocks(&g.sub_block_sizes);
        const std::vector<std::uint8_t> stored = lzw(g, data);
        const auto count = static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height);
        if (stored.size() != count)
            fail("decoded " + std::to_string(stored.size()) + " pixels, expected " + std::to_string(count));
        g.pixels = g.interlaced ? deinterlace(stored, g.width, g.height) : stored;
    }

    std::vector<std::uint8_t> lzw(DecodedGif& g, const std::vector<std::uint8_t>& data)
    {
        const int clear = 1 << g.min_code_size, end = clear + 1;
        std::vector<std::vector<std::uint8_t>> table;
        auto reset = [&] {
            table.assign(static_cast<std::size_t>(clear + 2), {});
            for (int i = 0; i < clear; ++i) table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i)};
        };
        reset();
        int width = g.min_code_size + 1;
        int previous = -1;
        std::size_t bit = 0;
        std::vector<std::uint8_t> out;
        bool first_code = true;
        for (;;) {
            if (bit + static_cast<std::size_t>(width) > data.size() * 8) fail("LZW data ends without end code");
            int code = 0;
            for (int i = 0; i < width; ++i, ++bit)
                code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
            if (width > g.widest_code) g.widest_code = width;
            if (first_code && code != clear) fail("LZW data does not start with a clear code");
            first_code = false;
            if (code == clear) {
                ++g.clear_codes;
                reset();
                width = g.min_code_size + 1;
                previous = -1;
                continue;
            }
            if (code == end) {
                g.ended_with_end_code = true;
                break;
            }
            const auto size = static_cast<int>(table.size());
            std::vector<std::uint8_t> entry;
            if (code < size) {
                entry = table[static_cast<std::size_t>(code)];
            } else if (code == size && previous >= 0) {
                entry = table[static_cast<std::size_t>(previous)];
                entry.push_back(entry.front());
            } else {
                fail("LZW code " + std::to_string(code) + " beyond table of " + std::to_string(size));
            }
            if (previous >= 0 && size < 4096) {
                std::vector<std::uint8_t> added = table[static_cast<std::size_t>(previous)];
                added.push_back(entry.front());
                table.push_back(std::move(added));
                if (static_cast<int>(table.size()) == (1 << width) && width < 12) ++width;
            }
            out.insert(out.end(), entry.begin(), entry.end());
            previous = code;
        }
        // Padding after the end code may only fill the last byte.
        if ((bit + 7) / 8 != data.size()) fail("LZW data continues after the end code");
        return out;
    }

    static std::vector<std::uint8_t> deinterlace(const std::vector<std::uint8_t>& stored, int width, int height)
    {
        std::vector<std::uint8_t> pixels(stored.size());
        constexpr int starts[] = {0, 4, 2, 1};
        constexpr int steps[] = {8, 8, 4, 2};
        const auto w = static_cast<std::size_t>(width);
        std::size_t row_in = 0;
        for (int pass = 0; pass < 4; ++pass)
            for (int y = starts[pass]; y < height; y += steps[pass], ++row_in)
                for (std::size_t x = 0; x < w; ++x)
                    pixels[static_cast<std::size_t>(y) * w + x] = stored[row_in * w + x];
        return pixels;
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

} // namespace prestova::testing
