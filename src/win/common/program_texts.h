#pragma once
// The texts only the Windows program shows: its title, the message boxes of its own screens, its
// status-bar texts and the help file's name. Windows ANSI bytes; the texts the converter shows
// too are the core's (core/text/messages.h).
#include <string>
#include <string_view>

#include "core/text/messages.h"
#include "core/version.h"

namespace pxm::win {

inline constexpr std::string_view ProgramTitle = PIXMOSAIC_TITLE;
inline constexpr std::string_view HelpFileName = "PXMHelp.CHM";

namespace msg {
using namespace ::pxm::msg;  // msg:: in the program reaches the shared texts too
inline constexpr Message CouldNotCreateImageList{"Fatal", "Could not create imagelist", MessageIcon::Error};
inline constexpr Message FirstOpenFile{"Warning", "First open a valid BMP File.", MessageIcon::Warning};
inline constexpr Message FirstKoalize{
    "Warning", "First be sure to \"Koalize\" correctly a picture.", MessageIcon::Warning};
inline constexpr std::string_view BackgroundColourCaption = "Background color";
inline constexpr std::string_view HelpErrorCaption = "Error";
}  // namespace msg

// "File PXMHelp.CHM not found in %s." with the program directory (trailing backslash kept).
inline std::string HelpNotFoundText(std::string_view programDir) {
    std::string text = "File ";
    text += HelpFileName;
    text += " not found in ";
    text += programDir;
    text += '.';
    return text;
}

namespace status {
inline constexpr std::string_view Running = " Running";
inline constexpr std::string_view FileOpened = " File Opened";
inline constexpr std::string_view Blank = " ";
inline constexpr std::string_view KoalizationDone = " Koalization done";
inline constexpr std::string_view KoalizationError = " Koalization error";
inline constexpr std::string_view PackingDone = " Packing Done";
inline constexpr std::string_view FileSaved = " File Saved";
}  // namespace status

}  // namespace pxm::win
