#pragma once
// Builds JPEG files in memory for tests, written with libjpeg: colour or greyscale, baseline or
// progressive, any quality and chroma sampling (4:4:4, 4:2:2, 4:2:0), and CMYK as print programs save it.
// jpeglib.h uses size_t and FILE without including their headers.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

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
};

namespace detail {

// Samples of one pixel: RGB, grey from red, or CMYK from RGB (no black).
inline void JpegSamples(JpegColours colours, std::uint32_t rgb, std::vector<JSAMPLE>& row) {
    const auto r = static_cast<JSAMPLE>(rgb >> 16);
    const auto g = static_cast<JSAMPLE>(rgb >> 8);
    const auto b = static_cast<JSAMPLE>(rgb);
    switch (colours) {
        case JpegColours::Grey: row.push_back(r); return;
        case JpegColours::Cmyk:
            row.insert(row.end(), {static_cast<JSAMPLE>(255 - r), static_cast<JSAMPLE>(255 - g),
                                   static_cast<JSAMPLE>(255 - b), 0});
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

// The libjpeg calls, in a frame that holds no object with a destructor.
inline bool WriteJpeg(jpeg_compress_struct& info, JpegBuildErrors& errors, const JpegShape& shape,
                      const std::vector<jpeg_scan_info>& scans, std::vector<std::vector<JSAMPLE>>& rows,
                      unsigned char*& out, unsigned long& size) {
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
    const bool written = detail::WriteJpeg(info, errors, shape, scans, rows, out, size);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes;
    if (written) bytes.assign(out, out + size);
    std::free(out);
    return bytes;
}

}  // namespace pxm::test
