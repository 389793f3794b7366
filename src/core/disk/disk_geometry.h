#pragma once
// Where a 1541 keeps its blocks: 35 tracks of 17 to 21 sectors of 256 bytes (the outer tracks
// are longer), stored track after track, sector after sector, in a D64 image.
#include <array>
#include <cstddef>

namespace pxm {

inline constexpr int DiskTrackCount = 35;
inline constexpr int DirectoryTrack = 18;
inline constexpr std::size_t SectorSize = 256;

struct BlockAddress {
    int track = 0;  // 1 to DiskTrackCount
    int sector = 0;
    bool operator==(const BlockAddress&) const = default;
};

struct SpeedZone {
    int lastTrack;
    int sectors;
};
inline constexpr std::array<SpeedZone, 4> SpeedZones{{{17, 21}, {24, 19}, {30, 18}, {35, 17}}};

constexpr int SectorsOnTrack(int track) {
    for (const SpeedZone& zone : SpeedZones) {
        if (track <= zone.lastTrack) return zone.sectors;
    }
    return 0;
}

// Sectors on all tracks before this one.
constexpr std::size_t SectorsBefore(int track) {
    std::size_t sectors = 0;
    for (int t = 1; t < track; ++t) sectors += static_cast<std::size_t>(SectorsOnTrack(t));
    return sectors;
}

constexpr std::size_t SectorOffset(BlockAddress block) {
    return (SectorsBefore(block.track) + static_cast<std::size_t>(block.sector)) * SectorSize;
}

inline constexpr std::size_t DiskSectorCount = SectorsBefore(DiskTrackCount + 1);

}  // namespace pxm
