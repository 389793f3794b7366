#pragma once
// The name the Save As dialog offers: the opened picture's file name, lower-cased as the system
// lower-cases ANSI text, cut at its first ".bmp" ("Sunset.BMP" offers "sunset").
#include <string>

namespace pxm::win {

void ReplaceBmpExtension(std::string& name);

}  // namespace pxm::win
