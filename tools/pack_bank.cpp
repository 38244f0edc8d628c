// Packs note WAV files, in note order, into the sample bank the program embeds.
// Each item: the flags byte 0x08 (an uncompressed sample follows), the image's
// length as 4 bytes little-endian, then the whole RIFF image.
//
// usage: morvil_pack_bank <output.bank> <note00.wav> <note01.wav> ...

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

namespace {

constexpr unsigned char SamplePresent = 0x08;

bool appendItem(std::vector<char> &bank, const char *wavPath)
{
    std::ifstream wav(wavPath, std::ios::binary);
    if (!wav) {
        std::fprintf(stderr, "pack_bank: cannot read %s\n", wavPath);
        return false;
    }
    const std::vector<char> image{std::istreambuf_iterator<char>(wav), std::istreambuf_iterator<char>()};
    if (image.size() > std::numeric_limits<std::uint32_t>::max()) {
        std::fprintf(stderr, "pack_bank: %s is too large for a bank item\n", wavPath);
        return false;
    }
    const auto length = static_cast<std::uint32_t>(image.size());
    bank.push_back(static_cast<char>(SamplePresent));
    for (int shift = 0; shift < 32; shift += 8)
        bank.push_back(static_cast<char>((length >> shift) & 0xFF));
    bank.insert(bank.end(), image.begin(), image.end());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <output.bank> <wav>...\n", argv[0]);
        return 2;
    }
    std::vector<char> bank;
    for (int i = 2; i < argc; ++i) {
        if (!appendItem(bank, argv[i]))
            return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bank.data(), static_cast<std::streamsize>(bank.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "pack_bank: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
