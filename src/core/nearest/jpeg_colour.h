#pragma once
// JPEG's own colour space (full-range BT.601): a decoder keeps its brightness at full resolution
// and may have halved its chroma.

namespace pxm {

struct Ycc {
    float y = 0;
    float cb = 0;
    float cr = 0;
};

constexpr Ycc YccOf(float r, float g, float b) {
    return {0.299f * r + 0.587f * g + 0.114f * b, -0.168736f * r - 0.331264f * g + 0.5f * b,
            0.5f * r - 0.418688f * g - 0.081312f * b};
}

}  // namespace pxm
