#include "core/export/sp2_packer.h"

#include "core/export/layouts.h"

namespace pxm {

namespace {

// Bitmap, screen and colour as the C64 unpacker lays them out, followed by zero bytes that the
// literal look-ahead reads past the end.
using Sp2Source = PictureData;

void FillSource(const KoalaImage& image, Sp2Source& source) {
    BuildLayout(image, InfoOf(ExportFormat::Sp2).layout, source);
    source.bytes[Sp2SourceLength] = 0;
    source.bytes[Sp2SourceLength + 1] = 0;
}

class StreamWriter {
public:
    explicit StreamWriter(PictureData& stream) : stream_(stream) { stream_.size = 0; }
    void Literal(std::span<const std::uint8_t> source, std::size_t at, std::size_t count) {
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
    Sp2Source source;
    FillSource(image, source);
    const auto& s = source.bytes;
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
