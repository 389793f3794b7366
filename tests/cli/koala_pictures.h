#pragma once
// Koala pictures for the program tests, as bytes: random ones and ones made of the runs and
// literal stretches that the SP2 packer treats specially.
#include <memory>
#include <string>
#include <vector>

#include "core/export/sp2_packer.h"
#include "tests/core/core_test_support.h"

namespace pxm::test {

struct NamedPicture {
    std::string name;  // a test name part
    std::shared_ptr<const KoalaImage> image;
};

// Every byte random, with the background colour in its low nibble.
inline std::shared_ptr<KoalaImage> RandomImage(std::uint32_t seed) {
    auto image = std::make_shared<KoalaImage>();
    Random random(seed);
    for (auto& byte : *image) byte = static_cast<std::uint8_t>(random.next());
    return image;
}

// Runs of random lengths (1 to 300) of random values: blocks of every kind and size.
inline std::shared_ptr<KoalaImage> RunsImage(std::uint32_t seed) {
    auto image = std::make_shared<KoalaImage>();
    Random random(seed);
    for (std::size_t at = 0; at < image->size();) {
        const auto value = static_cast<std::uint8_t>(random.below(4));  // few values: neighbouring runs meet
        const std::size_t length = 1 + static_cast<std::size_t>(random.below(random.below(2) ? 3 : 300));
        for (std::size_t k = 0; k < length && at < image->size(); ++k) (*image)[at++] = value;
    }
    return image;
}

inline std::vector<NamedPicture> PicturesForPrograms() {
    std::vector<NamedPicture> pictures;
    pictures.push_back({"Zero", FilledImage(0)});
    pictures.push_back({"AllFF", FilledImage(0xFF)});
    auto alternating = FilledImage(0);
    for (std::size_t k = 0; k < alternating->size(); ++k) (*alternating)[k] = k % 2 ? 0x55 : 0xAA;
    pictures.push_back({"Alternating", std::move(alternating)});
    // Colour bytes that put a block start on the position the correction avoids.
    auto flaw = FilledImage(0);
    for (std::size_t k = 9744; k < KoalaImageSize; ++k) (*flaw)[k] = k % 2 ? 2 : 1;
    pictures.push_back({"BlockAtFlawPosition", std::move(flaw)});
    auto pairAtFlaw = FilledImage(0);
    (*pairAtFlaw)[9742] = 5;
    (*pairAtFlaw)[9743] = 5;
    (*pairAtFlaw)[9744] = 7;
    pictures.push_back({"PairAtFlawPosition", std::move(pairAtFlaw)});
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        pictures.push_back({"Random" + std::to_string(seed), RandomImage(seed)});
        pictures.push_back({"Runs" + std::to_string(seed), RunsImage(seed * 7919)});
    }
    return pictures;
}

}  // namespace pxm::test
