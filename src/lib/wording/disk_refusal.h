#pragma once
// The converter's words about a D64 image it is to add files to: why the image is refused
// (never then written), why a file cannot go onto it, and the file types a listing shows.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/disk/disk_addition.h"
#include "core/disk/disk_contents.h"

namespace pxm {

// "PRG", "SEQ", ...; an unclosed file marked "*", a locked one "<", as a directory listing shows them.
std::string FileTypeText(std::uint8_t type);

// "Its BAM counts 1 free blocks on track 17 but marks 0": what is damaged.
std::string DiskDamageFacts(const DiskDamage& damage);

// "disk.d64: The BAM counts ... It has not been changed."
std::string DiskDamageText(std::string_view path, const DiskDamage& damage);

// Why the file `c64Name` (PETSCII) cannot go onto the disk at `path` (whether the disk was
// changed by other files is for the caller to say).
std::string AdditionFailureText(std::string_view path, std::string_view c64Name, const AdditionFailure& failure);

}  // namespace pxm
