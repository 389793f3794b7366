#include "lib/wording/shown_message.h"

namespace pxm {

void Show(std::ostream& err, std::string_view caption, std::string_view ansiText) {
    err << caption << ": " << AnsiToUtf8(ansiText) << '\n';
}

void Show(std::ostream& err, std::string_view caption, std::string_view file, std::string_view ansiText) {
    err << caption << ": " << file << ": " << AnsiToUtf8(ansiText) << '\n';
}

}  // namespace pxm
