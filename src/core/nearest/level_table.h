#pragma once
// What is worked out per colour, kept per colour rounded to 5 bits a channel in sRGB (32768 of
// them): each entry made the first time its colour is asked for, from the rounded colour. A
// picture's pixels share a few thousand, so most asks find the entry made. Only the colours
// asked for are filled: a 64 KiB index, then one entry for each colour met.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/base/second_thread.h"
#include "core/nearest/colour_space.h"

namespace pxm {

inline constexpr int LevelsPerChannel = 32;
inline constexpr std::size_t LevelKeyCount = std::size_t{LevelsPerChannel} * LevelsPerChannel * LevelsPerChannel;

// Linear light (0 to 1 in LinearSteps) to the nearest 5-bit sRGB level, tabulated finely enough
// that even the darkest levels (where sRGB is steepest) are told apart. Made on first use: a
// table may be made by another file's static object.
inline constexpr int LinearSteps = 4096;
using LevelsOfLinear = std::array<std::uint8_t, LinearSteps + 1>;
const LevelsOfLinear& LevelOfLinear();

// The colour of a rounded level's key.
Rgb ColourOfLevelKey(std::size_t key);

template <typename Entry>
class LevelTable {
public:
    // Room for every colour is reserved, never touched until used: what At gives stays valid.
    LevelTable() { known_.reserve(LevelKeyCount); }

    // make(Rgb): the entry of a rounded colour.
    template <typename Make>
    const Entry& At(LinearRgb colour, Make&& make) {
        const std::size_t key = KeyOf(colour);
        if (slot_[key] == 0) {
            known_.push_back(make(ColourOfLevelKey(key)));
            slot_[key] = static_cast<std::uint16_t>(known_.size());
        }
        return known_[slot_[key] - 1u];
    }

    // The entries of all the colours given that are not made yet, made at once, the making
    // shared out with the second thread (make must be safe to run on both): each the entry At
    // would have made.
    template <typename Make>
    void MakeAll(std::span<const LinearRgb> colours, Make&& make, SecondThread* second) {
        const std::size_t made = known_.size();
        std::vector<std::size_t> keys;  // the new ones, in their slots' order
        for (const LinearRgb colour : colours) {
            const std::size_t key = KeyOf(colour);
            if (slot_[key] != 0) continue;
            keys.push_back(key);
            slot_[key] = static_cast<std::uint16_t>(made + keys.size());
        }
        known_.resize(made + keys.size());
        ShareOut(second, 0, static_cast<int>(keys.size()), EntriesAPiece, [&](Part part) {
            for (auto i = static_cast<std::size_t>(part.first); i < static_cast<std::size_t>(part.end); ++i)
                known_[made + i] = make(ColourOfLevelKey(keys[i]));
        });
    }

private:
    static constexpr int EntriesAPiece = 256;

    std::size_t KeyOf(LinearRgb colour) const {
        const auto level = [&](float v) -> std::size_t {
            return levels_[static_cast<std::size_t>(std::clamp(v, 0.0f, 1.0f) * LinearSteps + 0.5f)];
        };
        return (level(colour.r) * LevelsPerChannel + level(colour.g)) * LevelsPerChannel + level(colour.b);
    }

    const LevelsOfLinear& levels_ = LevelOfLinear();
    std::vector<std::uint16_t> slot_ = std::vector<std::uint16_t>(LevelKeyCount);  // 0: not yet, else 1 + index
    std::vector<Entry> known_;
};

}  // namespace pxm
