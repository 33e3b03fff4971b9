// Writes the program's icon as a Windows .ico file, from the icon's design:
// make_ico FILE. It runs on the build machine, so it uses no Windows API:
// each size is a 16-colour bottom-up bitmap with its transparency mask. The
// design has four flat colours and hard edges, so a palette shows it
// exactly, in an eighth of the bytes of 32-bit pixels.
#include "runtime/AppIconDesign.h"

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

namespace
{

// The sizes Windows picks from for 100% to 200%: small icons on the caption
// and taskbar, large ones in Explorer and the Start menu.
constexpr int kSizes[] = { 16, 32, 48, 64 };

void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, unsigned value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr unsigned kBits = 4;
constexpr unsigned kColours = 1u << kBits; // index 0, black, under the mask's transparent ground

// One icon image: its bitmap header, palette, colour pixels and mask.
std::vector<std::uint8_t> image(int size)
{
    const int unit = size / rt::kAppIconGrid;
    std::vector<std::uint8_t> index(std::size_t(size * size), 0); // top row first
    unsigned colour = 0;
    for (const rt::IconBar& bar : rt::kAppIconBars) {
        ++colour;
        for (int y = bar.top * unit; y < (bar.top + bar.height) * unit; ++y)
            for (int x = bar.left * unit; x < (bar.left + bar.width) * unit; ++x)
                index[std::size_t(y * size + x)] = std::uint8_t(colour);
    }
    static_assert(std::size(rt::kAppIconBars) < kColours);

    const int colourRow = (size * int(kBits) + 31) / 32 * 4; // rows padded to 32 bits
    const int maskRow = (size + 31) / 32 * 4; // one bit a pixel
    std::vector<std::uint8_t> out;
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, unsigned(size));
    put32(out, unsigned(size * 2)); // colour and mask, one above the other
    put16(out, 1);
    put16(out, kBits);
    put32(out, 0); // BI_RGB
    put32(out, unsigned((colourRow + maskRow) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, kColours);
    put32(out, 0);
    for (unsigned i = 0; i < kColours; ++i)
        put32(out, i > 0 && i <= std::size(rt::kAppIconBars) ? rt::kAppIconBars[i - 1].rgb : 0); // BGR0
    for (int y = size - 1; y >= 0; --y)
        for (int byte = 0; byte < colourRow; ++byte) {
            const int x = byte * 2;
            const auto at = [&](int px) { return px < size ? index[std::size_t(y * size + px)] : 0; };
            out.push_back(std::uint8_t(at(x) << 4 | at(x + 1)));
        }
    for (int y = size - 1; y >= 0; --y)
        for (int byte = 0; byte < maskRow; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < size && index[std::size_t(y * size + x)] == 0)
                    bits |= std::uint8_t(0x80 >> bit); // transparent
            }
            out.push_back(bits);
        }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_ico FILE\n");
        return 2;
    }
    constexpr unsigned kCount = sizeof kSizes / sizeof kSizes[0];
    std::vector<std::uint8_t> file, images;
    put16(file, 0);
    put16(file, 1); // an icon
    put16(file, kCount);
    unsigned offset = 6 + 16 * kCount;
    for (int size : kSizes) {
        const std::vector<std::uint8_t> one = image(size);
        file.push_back(std::uint8_t(size)); // width and height; 0 would mean 256
        file.push_back(std::uint8_t(size));
        file.push_back(std::uint8_t(kColours));
        file.push_back(0);
        put16(file, 1); // planes
        put16(file, kBits); // bits a pixel
        put32(file, unsigned(one.size()));
        put32(file, offset);
        offset += unsigned(one.size());
        images.insert(images.end(), one.begin(), one.end());
    }
    file.insert(file.end(), images.begin(), images.end());
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "make_ico: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
