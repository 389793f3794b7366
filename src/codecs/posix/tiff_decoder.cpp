// TIFF files through libtiff: the first page, through its RGBA interface, which reads every
// photometric kind and depth (16 bits a sample scaled to 8) and any alpha. The file is read from
// memory through libtiff's client callbacks; errors come back through the open options' handler.
#include <tiffio.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "lib/reading/picture_decoder.h"

namespace pxm {

namespace {

// The most one allocation of libtiff may take (a strip or tile, decoded): a screenshot's
// strips need well under 1 MiB; a photograph's may be all of it, at 16 bits a sample with alpha.
constexpr tmsize_t MaxAllocation = tmsize_t{16} << 20;
constexpr tmsize_t MaxScalableAllocation = tmsize_t{256} << 20;

struct TiffSource {
    std::span<const std::uint8_t> file;
    toff_t at = 0;
    std::array<char, 256> error{};  // libtiff's first error
};

TiffSource& SourceOf(thandle_t handle) { return *static_cast<TiffSource*>(handle); }

tmsize_t ReadBytes(thandle_t handle, void* into, tmsize_t count) {
    TiffSource& source = SourceOf(handle);
    const toff_t left = source.at < source.file.size() ? source.file.size() - source.at : 0;
    const auto taken = static_cast<std::size_t>(std::min<toff_t>(left, static_cast<toff_t>(std::max<tmsize_t>(count, 0))));
    if (taken > 0) std::memcpy(into, source.file.data() + source.at, taken);
    source.at += taken;
    return static_cast<tmsize_t>(taken);
}

tmsize_t WriteNothing(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekTo(thandle_t handle, toff_t offset, int whence) {
    TiffSource& source = SourceOf(handle);
    const toff_t from = whence == SEEK_CUR ? source.at : whence == SEEK_END ? source.file.size() : 0;
    source.at = from + offset;
    return source.at;
}

int CloseNothing(thandle_t) { return 0; }

toff_t SizeOf(thandle_t handle) { return SourceOf(handle).file.size(); }

// The file is in memory already: libtiff reads it in place.
int MapFile(thandle_t handle, void** base, toff_t* size) {
    TiffSource& source = SourceOf(handle);
    *base = const_cast<std::uint8_t*>(source.file.data());
    *size = source.file.size();
    return 1;
}

void UnmapNothing(thandle_t, void*, toff_t) {}

int KeepError(TIFF*, void* user, const char* module, const char* format, va_list arguments) {
    auto& source = *static_cast<TiffSource*>(user);
    if (source.error[0] == '\0') {
        std::array<char, 200> words{};
        std::vsnprintf(words.data(), words.size(), format, arguments);
        std::snprintf(source.error.data(), source.error.size(), "%s%s%s", module != nullptr ? module : "",
                      module != nullptr ? ": " : "", words.data());
    }
    return 1;
}

// Warnings are about tags that do not matter to the picture.
int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffRelease {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

struct OptionsRelease {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

std::string LibtiffWords(const TiffSource& source, const char* otherwise) {
    return std::string("libtiff: ") + (source.error[0] != '\0' ? source.error.data() : otherwise);
}

}  // namespace

DecodeOutcome DecodeTiff(std::span<const std::uint8_t> file, SizesTaken sizes) {
    static_assert(std::endian::native == std::endian::little, "libtiff's ABGR words are read as RGBA bytes");
    DecodeOutcome outcome;
    DecodedPicture& picture = outcome.picture;
    TiffSource source{file};
    const std::unique_ptr<TIFFOpenOptions, OptionsRelease> options(TIFFOpenOptionsAlloc());
    if (!options) {
        outcome.reason = "libtiff: out of memory";
        return outcome;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), sizes == SizesTaken::C64Picture ? MaxAllocation : MaxScalableAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepError, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreWarning, nullptr);
    const std::unique_ptr<TIFF, TiffRelease> tiff(TIFFClientOpenExt("TIFF", "r", &source, ReadBytes, WriteNothing, SeekTo,
                                                                    CloseNothing, SizeOf, MapFile, UnmapNothing,
                                                                    options.get()));
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!tiff || TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) != 1) {
        outcome.reason = LibtiffWords(source, "no picture size");
        return outcome;
    }
    // The size from the first page's directory, before any strip is read (a side beyond what an
    // int holds is beyond every size taken).
    constexpr auto Largest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    picture.width = static_cast<int>(std::min(width, Largest));
    picture.height = static_cast<int>(std::min(height, Largest));
    if (const std::optional<DecodeOutcome::Status> refused = WholeSizeRefused(sizes, picture.width, picture.height)) {
        outcome.status = *refused;
        return outcome;
    }
    std::array<char, 1024> refusal{};
    if (TIFFRGBAImageOK(tiff.get(), refusal.data()) != 1) {
        outcome.reason = std::string("libtiff: ") + refusal.data();
        return outcome;
    }
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 1) != 1) {
        outcome.reason = LibtiffWords(source, "cannot read the picture data");
        return outcome;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    TakeRgbaRows(picture, {reinterpret_cast<const std::uint8_t*>(raster.data()), raster.size() * 4}, stride);
    outcome.status = DecodeOutcome::Status::Decoded;
    return outcome;
}

}  // namespace pxm
