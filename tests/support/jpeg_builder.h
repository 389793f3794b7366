#pragma once
// Builds JPEG files in memory for tests, written with libjpeg: colour or greyscale, baseline or
// progressive, any quality and chroma sampling (4:4:4, 4:2:2, 4:2:0), CMYK as print programs
// save it, and an EXIF orientation (written with libexif) as cameras save it.
// jpeglib.h uses size_t and FILE without including their headers.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <libexif/exif-data.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace pxm::test {

enum class JpegColours { Rgb, Grey, Cmyk };

struct JpegShape {
    int width = 320;
    int height = 200;
    JpegColours colours = JpegColours::Rgb;
    int quality = 90;
    bool progressive = false;
    bool fullChroma = false;  // chroma at full resolution (4:4:4) instead of libjpeg's 4:2:0
    bool chromaHalvedAcrossOnly = false;  // without fullChroma: 4:2:2, chroma halved across only
    // Greyscale progressive in 128 scans: each coefficient alone, first its high bits, then the
    // lowest bit (libjpeg's own progression has 6 to 10).
    bool scanPerCoefficient = false;
    // The EXIF orientation tag (1 to 8) in an APP1 segment, as a camera writes it; 0: no EXIF.
    unsigned orientation = 0;
    bool bigEndianExif = false;  // the EXIF block in Motorola byte order instead of Intel's
};

namespace detail {

// Samples of one pixel: RGB, grey from red, or CMYK from RGB (no black), stored inverted as
// Adobe's programs store inks (libjpeg writes their marker for CMYK).
inline void JpegSamples(JpegColours colours, std::uint32_t rgb, std::vector<JSAMPLE>& row) {
    const auto r = static_cast<JSAMPLE>(rgb >> 16);
    const auto g = static_cast<JSAMPLE>(rgb >> 8);
    const auto b = static_cast<JSAMPLE>(rgb);
    switch (colours) {
        case JpegColours::Grey: row.push_back(r); return;
        case JpegColours::Cmyk:
            row.insert(row.end(), {r, g, b, 255});
            return;
        case JpegColours::Rgb: break;
    }
    row.insert(row.end(), {r, g, b});
}

struct JpegBuildErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf back{};
};

[[noreturn]] inline void JpegBuildFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegBuildErrors*>(info->err)->back, 1);
}

inline std::vector<jpeg_scan_info> ScanPerCoefficient() {
    std::vector<jpeg_scan_info> scans;
    for (const int lowBit : {1, 0}) {
        for (int k = 0; k < DCTSIZE2; ++k) scans.push_back({1, {0, 0, 0, 0}, k, k, lowBit == 1 ? 0 : 1, lowBit});
    }
    return scans;
}

// An EXIF block holding the orientation tag, "Exif\0\0" header first, as an APP1 segment holds it.
inline std::vector<std::uint8_t> ExifWithOrientation(unsigned orientation, bool bigEndian) {
    ExifData* exif = exif_data_new();
    const ExifByteOrder order = bigEndian ? EXIF_BYTE_ORDER_MOTOROLA : EXIF_BYTE_ORDER_INTEL;
    exif_data_set_byte_order(exif, order);
    ExifEntry* entry = exif_entry_new();
    exif_content_add_entry(exif->ifd[EXIF_IFD_0], entry);
    exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
    exif_set_short(entry->data, order, static_cast<ExifShort>(orientation));
    exif_entry_unref(entry);
    unsigned char* saved = nullptr;
    unsigned int length = 0;
    exif_data_save_data(exif, &saved, &length);
    std::vector<std::uint8_t> block(saved, saved + length);
    std::free(saved);
    exif_data_unref(exif);
    return block;
}

// The libjpeg calls, in a frame that holds no object with a destructor.
inline bool WriteJpeg(jpeg_compress_struct& info, JpegBuildErrors& errors, const JpegShape& shape,
                      const std::vector<jpeg_scan_info>& scans, std::vector<std::vector<JSAMPLE>>& rows,
                      const std::vector<std::uint8_t>& exif, unsigned char*& out, unsigned long& size) {
    if (setjmp(errors.back) != 0) return false;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(shape.width);
    info.image_height = static_cast<JDIMENSION>(shape.height);
    info.input_components = shape.colours == JpegColours::Rgb ? 3 : shape.colours == JpegColours::Grey ? 1 : 4;
    info.in_color_space = shape.colours == JpegColours::Rgb    ? JCS_RGB
                          : shape.colours == JpegColours::Grey ? JCS_GRAYSCALE
                                                               : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, shape.quality, TRUE);
    if (shape.progressive) jpeg_simple_progression(&info);
    if (!scans.empty()) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    if (shape.fullChroma) {
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    if (!shape.fullChroma && shape.chromaHalvedAcrossOnly) info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    if (!exif.empty()) jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), static_cast<unsigned int>(exif.size()));
    for (auto& row : rows) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace detail

// pixel(x, y): 0xRRGGBB of pixel x of row y (row 0 at the top); a greyscale file takes red.
inline std::vector<std::uint8_t> MakeJpeg(const JpegShape& shape, const std::function<std::uint32_t(int, int)>& pixel) {
    std::vector<std::vector<JSAMPLE>> rows(static_cast<std::size_t>(shape.height));
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x)
            detail::JpegSamples(shape.colours, pixel(x, y), rows[static_cast<std::size_t>(y)]);
    }
    detail::JpegBuildErrors errors;
    jpeg_compress_struct info{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = detail::JpegBuildFailed;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const std::vector<jpeg_scan_info> scans =
        shape.scanPerCoefficient ? detail::ScanPerCoefficient() : std::vector<jpeg_scan_info>{};
    const std::vector<std::uint8_t> exif =
        shape.orientation == 0 ? std::vector<std::uint8_t>{} : detail::ExifWithOrientation(shape.orientation, shape.bigEndianExif);
    const bool written = detail::WriteJpeg(info, errors, shape, scans, rows, exif, out, size);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes;
    if (written) bytes.assign(out, out + size);
    std::free(out);
    return bytes;
}

// A camera's JPEG of a picture shown as shown(x, y), shownWidth x shownHeight: stored turned so
// that orientation 3 (turned half), 6 (turned right) or 8 (turned left) shows it upright again.
inline std::vector<std::uint8_t> MakeTurnedJpeg(JpegShape shape, unsigned orientation, int shownWidth, int shownHeight,
                                                const std::function<std::uint32_t(int, int)>& shown) {
    const bool quarter = orientation == 6 || orientation == 8;
    shape.width = quarter ? shownHeight : shownWidth;
    shape.height = quarter ? shownWidth : shownHeight;
    shape.orientation = orientation;
    const int w = shape.width;
    const int h = shape.height;
    return MakeJpeg(shape, [&](int x, int y) {
        // Where stored pixel (x, y) is shown.
        if (orientation == 3) return shown(w - 1 - x, h - 1 - y);
        if (orientation == 6) return shown(h - 1 - y, x);
        if (orientation == 8) return shown(y, w - 1 - x);
        return shown(x, y);
    });
}

}  // namespace pxm::test
