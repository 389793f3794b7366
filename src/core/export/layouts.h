#pragma once
// The Koala picture rearranged into the Advanced Art Studio, Artist 64 and Blazing Paddles
// blocks. Bytes that no region fills are zero.
#include "core/export/picture_data.h"
#include "core/koala/koala_image.h"

namespace pxm {

inline constexpr std::size_t ArtStudioSize = 10016;
inline constexpr std::size_t Artist64Size = 10240;
inline constexpr std::size_t BlazingPaddlesSize = 10240;

void BuildArtStudioLayout(const KoalaImage& image, PictureData& block);
void BuildArtist64Layout(const KoalaImage& image, PictureData& block);
void BuildBlazingPaddlesLayout(const KoalaImage& image, PictureData& block);

}  // namespace pxm
