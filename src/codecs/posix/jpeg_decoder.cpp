// JPEG files through libjpeg-turbo. libjpeg reports errors through error_exit, which must not
// return: it longjmps back to the frame that called setjmp, which holds no object with a
// destructor; every C++ object it fills lives in its caller.
// jpeglib.h uses size_t and FILE without including their headers; jerror.h needs jpeglib.h.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <libexif/exif-data.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lib/reading/picture_decoder.h"
#include "core/import/box_reduction.h"
#include "core/import/declared_size.h"
#include "core/import/orientation.h"
#include "core/import/print_colours.h"

namespace pxm {

namespace {

// A progressive file may hold any number of scans, each a pass over the whole picture; real
// ones have about ten. More is a damaged or hostile file, not a picture.
constexpr int MaxScans = 100;
// Working memory libjpeg may take: a screenshot needs well under 2 MiB even progressive; a
// picture to be scaled up to MaxProgressiveJpegBytes.
constexpr long MaxWorkingMemory = 16L << 20;

// libjpeg-turbo decodes at 1/2, 1/4 or 1/8 of the size for little more than the cost of the
// smaller picture: the largest reduction that leaves the picture at least as large as the
// screen (320x200) each way, so that the resize after it still has every pixel it needs.
unsigned ReductionFor(SizesTaken sizes, unsigned width, unsigned height) {
    constexpr unsigned ScreenWidth = 320;
    constexpr unsigned ScreenHeight = 200;
    if (sizes != SizesTaken::ScaledDown) return 1;
    unsigned reduction = 8;
    while (reduction > 1 && (width / reduction < ScreenWidth || height / reduction < ScreenHeight)) reduction /= 2;
    return reduction;
}

// The warnings that mean the picture's data is damaged: libjpeg would go on and show the rest
// grey; the converter refuses the file instead. Others (an unknown JFIF revision) do no harm.
constexpr std::array<int, 6> DamageWarnings{JWRN_JPEG_EOF,    JWRN_HIT_MARKER,        JWRN_HUFF_BAD_CODE,
                                            JWRN_MUST_RESYNC, JWRN_BOGUS_PROGRESSION, JWRN_NOT_SEQUENTIAL};

struct JpegErrors {
    jpeg_error_mgr manager{};  // first: libjpeg's pointer to it is a pointer to this
    std::jmp_buf back{};
    std::array<char, JMSG_LENGTH_MAX> message{};
    bool libjpegWords = true;  // false: the message is the converter's own
};

[[noreturn]] void KeepError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message.data());
    std::longjmp(errors->back, 1);
}

void TreatDamageAsError(j_common_ptr info, int level) {
    const bool warning = level < 0;
    if (warning && std::ranges::find(DamageWarnings, info->err->msg_code) != DamageWarnings.end())
        (*info->err->error_exit)(info);
}

void LimitScans(j_common_ptr info) {
    if (info->is_decompressor != 0 && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) {
        auto* errors = reinterpret_cast<JpegErrors*>(info->err);
        std::snprintf(errors->message.data(), errors->message.size(), "more than %d progressive scans", MaxScans);
        errors->libjpegWords = false;
        std::longjmp(errors->back, 1);
    }
}

struct ExifDataRelease {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

// The orientation a camera wrote into the file's EXIF block (libexif finds it among the JPEG's
// marker segments); upright when there is none. The main picture's is in IFD 0 (IFD 1 describes
// the thumbnail).
Orientation ExifOrientationOf(std::span<const std::uint8_t> file) {
    const std::unique_ptr<ExifData, ExifDataRelease> data(
        exif_data_new_from_data(file.data(), static_cast<unsigned int>(file.size())));
    if (!data) return Orientation::Upright;
    const ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
        return Orientation::Upright;
    return OrientationFromTag(exif_get_short(entry->data, exif_data_get_byte_order(data.get())));
}

// Rows as they are read: a CMYK file's samples in inks before they are shown in RGB as stored
// says; a picture still too large to hold at libjpeg's reduction goes row by row into reduction,
// one row in rgb and linear at a time.
struct JpegRows {
    std::vector<JSAMPLE> inks;
    InkStorage storage = InkStorage::Plain;
    std::optional<BoxReduction> reduction;
    std::vector<Rgb> rgb;
    std::vector<LinearPixel> linear;
};

// The next scanline into out, info.output_width colours. Called from the frame libjpeg's errors
// return to.
void ReadScanline(jpeg_decompress_struct& info, JpegRows& rows, Rgb* out) {
    JSAMPROW row = rows.inks.empty() ? reinterpret_cast<JSAMPROW>(out) : rows.inks.data();
    jpeg_read_scanlines(&info, &row, 1);
    for (std::size_t x = 0; x < rows.inks.size() / 4; ++x)
        out[x] = RgbOfInks({rows.inks[4 * x], rows.inks[4 * x + 1], rows.inks[4 * x + 2], rows.inks[4 * x + 3]},
                           rows.storage);
}

// Every scanline into the reduction. Called from the frame libjpeg's errors return to, and holds
// nothing with a destructor.
void ReduceScanlines(jpeg_decompress_struct& info, JpegRows& rows) {
    rows.rgb.resize(info.output_width);
    rows.linear.resize(info.output_width);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        ReadScanline(info, rows, rows.rgb.data());
        std::ranges::transform(rows.rgb, rows.linear.begin(), [](Rgb c) { return LinearOf(c); });
        AddPixels(*rows.reduction, y, 0, 1, rows.linear);
    }
}

// Everything libjpeg does, in the one frame its errors return to.
DecodeOutcome::Status DecodeInFrame(jpeg_decompress_struct& info, JpegErrors& errors, jpeg_progress_mgr& progress,
                                    std::span<const std::uint8_t> file, SizesTaken sizes, Orientation orientation,
                                    DecodeOutcome& outcome, JpegRows& rows) {
    DecodedPicture& picture = outcome.picture;
    if (setjmp(errors.back) != 0) {
        // Only a progressive picture needs more than the limit: its every coefficient is kept.
        if (errors.libjpegWords && errors.manager.msg_code == JERR_NO_BACKING_STORE)
            return DecodeOutcome::Status::MemoryRefused;
        outcome.reason = std::string(errors.libjpegWords ? "libjpeg: " : "") + errors.message.data();
        return DecodeOutcome::Status::Unreadable;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    info.mem->max_memory_to_use = sizes == SizesTaken::C64Picture ? MaxWorkingMemory : MaxProgressiveJpegBytes;
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    const PictureSize shown = ShownSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height), orientation);
    picture.width = shown.width;
    picture.height = shown.height;
    if (!Takes(sizes, shown.width, shown.height)) return DecodeOutcome::Status::SizeRefused;
    // Print colours come as inks (libjpeg turns YCCK into them), shown in RGB below.
    outcome.printColours = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = outcome.printColours ? JCS_CMYK : JCS_RGB;  // greyscale too: libjpeg repeats the grey level
    rows.storage = info.saw_Adobe_marker != 0 ? InkStorage::Inverted : InkStorage::Plain;
    info.scale_num = 1;
    info.scale_denom = ReductionFor(sizes, static_cast<unsigned>(shown.width), static_cast<unsigned>(shown.height));
    jpeg_start_decompress(&info);
    const int denominator = static_cast<int>(info.scale_denom);
    outcome.reduction = {denominator, denominator};
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    if (info.output_components != (outcome.printColours ? 4 : 3) ||
        info.output_width != (info.image_width + info.scale_denom - 1) / info.scale_denom) {
        info.err->msg_code = JERR_CONVERSION_NOTIMPL;
        (*info.err->error_exit)(reinterpret_cast<j_common_ptr>(&info));
    }
    rows.inks.resize(outcome.printColours ? static_cast<std::size_t>(picture.width) * 4 : 0);
    rows.reduction = RowReductionFor(sizes, picture.width, picture.height, orientation);
    if (rows.reduction) {
        ReduceScanlines(info, rows);
        jpeg_finish_decompress(&info);
        return DecodeOutcome::Status::Decoded;
    }
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    while (info.output_scanline < info.output_height)
        ReadScanline(info, rows, picture.rgb.data() + picture.At(0, static_cast<int>(info.output_scanline)));
    jpeg_finish_decompress(&info);
    return DecodeOutcome::Status::Decoded;
}

}  // namespace

DecodeOutcome DecodeJpeg(std::span<const std::uint8_t> file, SizesTaken sizes) {
    static_assert(sizeof(Rgb) == 3, "rows of RGB are read straight into the colours");
    DecodeOutcome outcome;
    // A size that is not taken, however the picture is turned, is refused from the frame header
    // before libjpeg sees the file.
    if (const std::optional<DeclaredSize> declared = DeclaredSizeOf(PictureKind::Jpeg, file);
        declared && !TakesTurnedEitherWay(sizes, declared->width, declared->height)) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        outcome.picture.width = declared->width;
        outcome.picture.height = declared->height;
        return outcome;
    }
    JpegErrors errors;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = KeepError;
    errors.manager.emit_message = TreatDamageAsError;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = LimitScans;
    const Orientation orientation = ExifOrientationOf(file);
    JpegRows rows;
    outcome.status = DecodeInFrame(info, errors, progress, file, sizes, orientation, outcome, rows);
    // Also after a failed jpeg_create_decompress: it cleared the struct before anything could fail.
    jpeg_destroy_decompress(&info);
    if (outcome.status != DecodeOutcome::Status::Decoded) {
        outcome.picture.rgb.clear();
        return outcome;
    }
    if (rows.reduction) {
        const BoxFactors scaled = outcome.reduction;
        FinishRowReduction(*rows.reduction, outcome);
        outcome.reduction = {scaled.x * outcome.reduction.x, scaled.y * outcome.reduction.y};
    }
    outcome.picture = Oriented(std::move(outcome.picture), orientation);
    if (SwapsSides(orientation)) std::swap(outcome.reduction.x, outcome.reduction.y);
    return outcome;
}

}  // namespace pxm
