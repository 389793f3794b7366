#pragma once
// Unpacks an SP2 run-length stream (the packer's inverse): literal blocks (control 0x00-0x7F,
// control + 1 bytes follow) and run blocks (control 0x80-0xFF, one byte repeated
// (control ^ 0xFF) + 2 times). A stream that needs bytes past its end, or that does not unpack
// to exactly the SP2 layout's size, is refused. Streams packed with or without the unpack-flaw
// correction unpack alike: the correction only moves block boundaries.
#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/read_failure.h"
#include "core/export/picture_data.h"

namespace pxm {

Status<ReadFailure> UnpackSp2(Bytes stream, PictureData& layout);

}  // namespace pxm
