// Writes the program's icon as a Windows .ico file, from the icon's design:
// make_ico FILE. It runs on the build machine, so it uses no Windows API:
// each size is a 32-bit bottom-up bitmap with its transparency mask.
#include "runtime/AppIconDesign.h"

#include <cstdint>
#include <cstdio>
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

// One icon image: its bitmap header, colour pixels and mask.
std::vector<std::uint8_t> image(int size)
{
    const int unit = size / rt::kAppIconGrid;
    std::vector<std::uint32_t> argb(std::size_t(size * size), 0); // top row first
    for (const rt::IconBar& bar : rt::kAppIconBars)
        for (int y = bar.top * unit; y < (bar.top + bar.height) * unit; ++y)
            for (int x = bar.left * unit; x < (bar.left + bar.width) * unit; ++x)
                argb[std::size_t(y * size + x)] = 0xFF000000u | bar.rgb;

    const int maskRow = (size + 31) / 32 * 4; // one bit a pixel, rows padded to 32 bits
    std::vector<std::uint8_t> out;
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, unsigned(size));
    put32(out, unsigned(size * 2)); // colour and mask, one above the other
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, unsigned(size * size * 4 + maskRow * size));
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x)
            put32(out, argb[std::size_t(y * size + x)]); // little-endian BGRA
    for (int y = size - 1; y >= 0; --y)
        for (int byte = 0; byte < maskRow; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < size && argb[std::size_t(y * size + x)] == 0)
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
        file.push_back(0); // no palette
        file.push_back(0);
        put16(file, 1); // planes
        put16(file, 32); // bits a pixel
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
