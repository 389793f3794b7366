#include "lib/wording/container_refusal.h"

#include "lib/wording/text_join.h"

namespace pxm {

std::string ContainerRefusalText(const TooLargeForDisk& file) {
    return Join({"The file takes ", std::to_string(file.blocks), " blocks (", std::to_string(file.bytes),
                 " bytes with its load address); a 1541 disk holds ", std::to_string(EmptyDiskBlocksFree), "."});
}

}  // namespace pxm
