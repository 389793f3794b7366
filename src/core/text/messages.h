#pragma once
// The texts both programs show, each message with its caption and icon, in Windows ANSI
// (code page 1252) bytes; the converter prints them as UTF-8. Line breaks are '\n'. The texts
// only the Windows program shows are its own (win/common/program_texts.h).
#include <cstdint>
#include <string>
#include <string_view>

namespace pxm {

enum class MessageIcon { Error, Warning, Information };

struct Message {
    std::string_view caption;
    std::string_view text;
    MessageIcon icon;
};

namespace msg {

inline constexpr Message IncompleteFile{"Fatal", "Incomplete file", MessageIcon::Error};
inline constexpr Message OutOfMemory{"Fatal", "Out of memory", MessageIcon::Error};
inline constexpr Message BitmapTooLarge{
    "Error", "This program can't load Windows\xAE Bitmap files larger than 320*200 pixels.", MessageIcon::Error};
inline constexpr Message BadColourCount{
    "Error", "This program can just load 16 or 256 Colors Windows\xAE Bitmap files.", MessageIcon::Error};
inline constexpr Message NotFourGreys{
    "Error",
    "Bitmap file is not compatible with this Format type.\nThe picture must contain just Colors $0, $B, $C and $F.",
    MessageIcon::Error};
inline constexpr Message NotFiveGreys{
    "Error",
    "Bitmap file is not compatible with this Format type.\nThe picture must contain just Colors $0, $B, $C, $F and $1.",
    MessageIcon::Error};
inline constexpr Message NotC64Picture{"Error", "The picture is not a valid C64 Format one.", MessageIcon::Error};
inline constexpr Message BackgroundDoesNotFit{
    "Error",
    "The picture is not a valid C64 Format one or either the \nchosen background color doesn't allow "
    "Koalization.\nPlease try another background color or set it to AUTO.",
    MessageIcon::Error};
inline constexpr Message Sp2FlawFixed{"SP2 unpack flaw", "Fixed problem with SP2 unpacking.", MessageIcon::Information};

inline constexpr std::string_view SystemErrorCaption = "System Error";

}  // namespace msg

// "Chosen background color: %s." with the colour's name.
std::string ChosenBackgroundText(std::string_view colourName);
// Shown under "System Error" when the system has no text of its own for an error code.
std::string SystemErrorFallbackText(std::uint32_t code);

// Windows ANSI text as UTF-8, for terminals and logs.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace pxm
