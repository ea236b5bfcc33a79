#include "tools/gif_encoder.hpp"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace prestova {

namespace {

constexpr int kMinCodeSize = 8;  // 256 colours
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kFirstFreeCode = kClearCode + 2;
constexpr int kMaxCodes = 4096;  // 12-bit codes at most
constexpr int kMaxCodeWidth = 12;

void put_u16(std::vector<std::uint8_t>& out, int value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void validate(const IndexedImage& image)
{
    if (image.width < 1 || image.width > 0xFFFF || image.height < 1 || image.height > 0xFFFF)
        throw std::invalid_argument("GIF image size " + std::to_string(image.width) + "x" +
                                    std::to_string(image.height) + " is outside 1..65535");
    const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.pixels.size() != expected)
        throw std::invalid_argument("GIF image has " + std::to_string(image.pixels.size()) + " pixels, expected " +
                                    std::to_string(expected));
    if (image.transparent_index < 0 || image.transparent_index > 255)
        throw std::invalid_argument("GIF transparent index " + std::to_string(image.transparent_index) +
                                    " is outside 0..255");
}

// The rows in the order the file stores them: as they are, or in the four
// interlace passes (every 8th row from 0, every 8th from 4, every 4th from
// 2, every 2nd from 1).
std::vector<int> row_order(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    constexpr int starts[] = {0, 4, 2, 1};
    constexpr int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass]) rows.push_back(y);
    return rows;
}

// Packs codes least significant bit first into bytes.
class BitWriter {
public:
    void write(int code, int width)
    {
        accumulator_ |= static_cast<std::uint32_t>(code) << filled_;
        filled_ += width;
        while (filled_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(accumulator_ & 0xFF));
            accumulator_ >>= 8;
            filled_ -= 8;
        }
    }
    std::vector<std::uint8_t> finish()
    {
        if (filled_ > 0) bytes_.push_back(static_cast<std::uint8_t>(accumulator_ & 0xFF));
        accumulator_ = 0;
        filled_ = 0;
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t accumulator_ = 0;
    int filled_ = 0;
};

// Variable-width LZW as GIF readers expect it. The code width follows the
// reader's table, which lags one entry behind ours because a reader only
// learns an entry when it sees the code after it.
class LzwEncoder {
public:
    LzwEncoder() : children_(static_cast<std::size_t>(kMaxCodes) * 256, 0) {}

    std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& symbols)
    {
        emit_clear();
        int prefix = symbols.front();
        for (std::size_t i = 1; i < symbols.size(); ++i) {
            const int symbol = symbols[i];
            std::uint16_t& child = children_[static_cast<std::size_t>(prefix) * 256 + static_cast<std::size_t>(symbol)];
            if (child != 0) {
                prefix = child;
                continue;
            }
            emit_data(prefix);
            if (next_code_ < kMaxCodes) child = static_cast<std::uint16_t>(next_code_++);
            else emit_clear();  // table full: start afresh rather than stop learning
            prefix = symbol;
        }
        emit_data(prefix);
        bits_.write(kEndCode, reader_width());
        return bits_.finish();
    }

private:
    int reader_width() const
    {
        return std::min(kMaxCodeWidth, static_cast<int>(std::bit_width(static_cast<unsigned>(reader_size_))));
    }

    void emit_clear()
    {
        bits_.write(kClearCode, reader_width());
        std::fill(children_.begin(), children_.end(), std::uint16_t{0});
        next_code_ = kFirstFreeCode;
        reader_size_ = kFirstFreeCode;
        first_after_clear_ = true;
    }

    void emit_data(int code)
    {
        bits_.write(code, reader_width());
        if (!first_after_clear_ && reader_size_ < kMaxCodes) ++reader_size_;
        first_after_clear_ = false;
    }

    // children_[code * 256 + symbol] is the code for that string plus the
    // symbol, 0 when not yet in the table (no real entry is ever code 0).
    std::vector<std::uint16_t> children_;
    BitWriter bits_;
    int next_code_ = kFirstFreeCode;
    int reader_size_ = kFirstFreeCode;
    bool first_after_clear_ = true;
};

void put_sub_blocks(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data)
{
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0);  // block terminator
}

}  // namespace

std::vector<std::uint8_t> encode_gif(const IndexedImage& image, bool interlaced)
{
    validate(image);

    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};

    // Logical screen: global table present, 8 bits of colour resolution,
    // unsorted, 2^(7+1) = 256 entries.
    put_u16(out, image.width);
    put_u16(out, image.height);
    out.push_back(0xF7);
    out.push_back(static_cast<std::uint8_t>(image.transparent_index));  // background
    out.push_back(0);                                                   // square pixels
    for (std::uint32_t rgb : image.palette) {
        out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
    }

    // Graphic control: no disposal, no delay, transparent index given.
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00});
    out.push_back(static_cast<std::uint8_t>(image.transparent_index));
    out.push_back(0);

    // Image descriptor covering the whole screen, no local table.
    out.push_back(0x2C);
    put_u16(out, 0);
    put_u16(out, 0);
    put_u16(out, image.width);
    put_u16(out, image.height);
    out.push_back(interlaced ? 0x40 : 0x00);

    std::vector<std::uint8_t> stored;
    stored.reserve(image.pixels.size());
    const auto width = static_cast<std::size_t>(image.width);
    for (int y : row_order(image.height, interlaced)) {
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * width);
        stored.insert(stored.end(), row, row + static_cast<std::ptrdiff_t>(width));
    }

    out.push_back(kMinCodeSize);
    put_sub_blocks(out, LzwEncoder{}.encode(stored));
    out.push_back(0x3B);  // trailer
    return out;
}

}  // namespace prestova
