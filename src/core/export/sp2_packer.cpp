#include "core/export/sp2_packer.h"

#include <algorithm>

namespace pxm {

namespace {

// Bitmap, screen and colour as the C64 unpacker lays them out, plus the zero byte after the
// source that the literal look-ahead reads.
using Sp2Source = std::array<std::uint8_t, Sp2SourceLength + 2>;

void FillSource(const KoalaImage& image, Sp2Source& source) {
    source.fill(0);
    std::copy_n(image.begin(), 8000, source.begin());
    std::copy_n(image.begin() + 8000, 1000, source.begin() + 8192);
    std::copy_n(image.begin() + 9000, 1000, source.begin() + 9216);
}

class StreamWriter {
public:
    explicit StreamWriter(PictureData& stream) : stream_(stream) { stream_.size = 0; }
    void Literal(const Sp2Source& source, std::size_t at, std::size_t count) {
        Put(static_cast<std::uint8_t>(count - 1));
        for (std::size_t k = 0; k < count; ++k) Put(source[at + k]);
    }
    void Run(std::uint8_t value, std::size_t count) {
        Put(static_cast<std::uint8_t>((count - 2) ^ 0xFF));
        Put(value);
    }

private:
    void Put(std::uint8_t byte) { stream_.bytes[stream_.size++] = byte; }
    PictureData& stream_;
};

}  // namespace

Sp2PackResult PackSp2(const KoalaImage& image, bool correctFlaw, PictureData& stream) {
    Sp2Source s;
    FillSource(image, s);
    StreamWriter out(stream);
    Sp2PackResult result;
    constexpr std::size_t L = Sp2SourceLength;

    std::size_t i = 0;
    while (i < L) {
        std::size_t n = 1;
        std::uint8_t v = s[i];
        while (i + n < L && s[i + n] == v && n <= 128) ++n;

        if (n == 1 && i + 1 >= L) {
            out.Literal(s, i, 1);
        } else if (n == 1) {
            // Grow a literal stretch until three equal bytes begin or 128 bytes are taken.
            for (;;) {
                if (i + n >= L) break;
                if (s[i + n] == v && s[i + n + 1] == v) break;
                if (n == 128) break;
                v = s[i + n];
                ++n;
            }
            if (i + n < L) --n;
            if (correctFlaw && i + n == FixFlawPosition) {
                ++n;
                result.corrected = true;
            }
            out.Literal(s, i, n);
        } else if (correctFlaw && i + n == FixFlawPosition) {
            result.corrected = true;
            if (n == 2) {
                n = 3;
                out.Literal(s, i, n);
            } else {
                --n;
                out.Run(v, n);
            }
        } else {
            out.Run(v, n);
        }
        i += n;
    }
    return result;
}

}  // namespace pxm
