#include "core/disk/block_allocation.h"

#include <bit>

namespace pxm {

namespace {

std::uint32_t& TrackBits(FreeMap& map, int track) { return map[static_cast<std::size_t>(track - 1)]; }
std::uint32_t TrackBits(const FreeMap& map, int track) { return map[static_cast<std::size_t>(track - 1)]; }

// The first free sector from `from` on, wrapping round the track.
std::optional<int> FreeSectorFrom(const FreeMap& map, int track, int from) {
    const int sectors = SectorsOnTrack(track);
    for (int k = 0; k < sectors; ++k) {
        const int sector = (from + k) % sectors;
        if (IsFree(map, {track, sector})) return sector;
    }
    return std::nullopt;
}

std::optional<BlockAddress> AllocateOnTrack(FreeMap& map, int track, int from) {
    const std::optional<int> sector = FreeSectorFrom(map, track, from);
    if (!sector) return std::nullopt;
    Allocate(map, {track, *sector});
    return BlockAddress{track, *sector};
}

}  // namespace

FreeMap AllBlocksFree() {
    FreeMap map{};
    for (int track = 1; track <= DiskTrackCount; ++track) TrackBits(map, track) = (1u << SectorsOnTrack(track)) - 1;
    return map;
}

bool IsFree(const FreeMap& map, BlockAddress block) { return (TrackBits(map, block.track) >> block.sector) & 1u; }

void Allocate(FreeMap& map, BlockAddress block) { TrackBits(map, block.track) &= ~(1u << block.sector); }

void Release(FreeMap& map, BlockAddress block) { TrackBits(map, block.track) |= 1u << block.sector; }

int FreeSectors(const FreeMap& map, int track) { return std::popcount(TrackBits(map, track)); }

int BlocksFree(const FreeMap& map) {
    int free = 0;
    for (int track = 1; track <= DiskTrackCount; ++track) {
        if (track != DirectoryTrack) free += FreeSectors(map, track);
    }
    return free;
}

int InterleavedSector(int sector, int sectors, int interleave) {
    int next = sector + interleave;
    if (next >= sectors) {
        next -= sectors;
        if (next != 0) --next;
    }
    return next;
}

std::optional<BlockAddress> AllocateFirstBlock(FreeMap& map) {
    // Outward from the directory track, the track below before the one above.
    for (int distance = 1; distance < DiskTrackCount; ++distance) {
        for (const int track : {DirectoryTrack - distance, DirectoryTrack + distance}) {
            if (track < 1 || track > DiskTrackCount) continue;
            if (const auto block = AllocateOnTrack(map, track, 0)) return block;
        }
    }
    return std::nullopt;
}

std::optional<BlockAddress> AllocateNextBlock(FreeMap& map, BlockAddress previous) {
    const int away = previous.track < DirectoryTrack ? -1 : 1;
    struct Sweep {
        int firstTrack;
        int step;
        int sector;  // the interleave counts on from this sector
    };
    // On away from the directory, then the other half and this one again from the directory out.
    const std::array<Sweep, 3> sweeps{{{previous.track, away, previous.sector},
                                       {DirectoryTrack - away, -away, 0},
                                       {DirectoryTrack + away, away, 0}}};
    for (const Sweep& sweep : sweeps) {
        for (int track = sweep.firstTrack; track >= 1 && track <= DiskTrackCount; track += sweep.step) {
            if (const auto block = AllocateOnTrack(map, track, InterleavedSector(sweep.sector, SectorsOnTrack(track))))
                return block;
        }
    }
    return std::nullopt;
}

}  // namespace pxm
