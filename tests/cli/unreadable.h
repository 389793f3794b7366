#pragma once
// What every decoder gives for a file it cannot read: no picture, and the reason in its
// library's words.
#include <gtest/gtest.h>

#include <string_view>

#include "lib/reading/picture_decoder.h"

namespace pxm::cli {

// library: how the reason starts ("libpng: ").
inline void ExpectUnreadable(const DecodeOutcome& decoded, std::string_view library) {
    EXPECT_EQ(decoded.status, DecodeOutcome::Status::Unreadable);
    EXPECT_EQ(decoded.reason.rfind(library, 0), 0u) << decoded.reason;
    EXPECT_TRUE(decoded.picture.rgb.empty());
}

}  // namespace pxm::cli
