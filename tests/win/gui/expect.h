#pragma once
// What the GUI tests share: where their files go and how they compare what they saw with the
// program's own texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/text/messages.h"
#include "tests/win/gui/pictures.h"
#include "tests/win/gui/program.h"
#include "win/common/program_texts.h"

namespace pxm::gui {

// A path in the tests' own folder.
inline std::string WorkPath(const std::string& name) { return Paths().workDir + name; }

// A new, empty subfolder of the tests' folder, ending in a backslash: nothing a test saves there
// meets a file of an earlier test or repetition.
inline std::string WorkFolder(const std::string& name) {
    static int made = 0;
    const std::string folder = WorkPath(name + "-" + std::to_string(++made)) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Writes the picture into the tests' folder and returns its path.
inline std::string PutPicture(const std::string& name, const Bytes& bmp) {
    const std::string path = WorkPath(name);
    WriteFileBytes(path, bmp);
    return path;
}

// The system's own text for an error code, as the program shows it.
inline std::string SystemText(DWORD code) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = text ? text : "";
    if (text) LocalFree(text);
    return result;
}

inline probe::MessageBoxIcon IconFor(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return probe::MessageBoxIcon::Warning;
        case MessageIcon::Information:
            return probe::MessageBoxIcon::Information;
        case MessageIcon::Error:
            break;
    }
    return probe::MessageBoxIcon::Error;
}

inline void ExpectMessage(const SeenMessageBox& box, std::string_view caption, std::string_view text, MessageIcon icon) {
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.icon, IconFor(icon)) << "in \"" << box.text << "\"";
}

inline void ExpectMessage(const SeenMessageBox& box, const Message& message) {
    ExpectMessage(box, message.caption, message.text, message.icon);
}

inline void ExpectSystemError(const SeenMessageBox& box, DWORD code) {
    ExpectMessage(box, msg::SystemErrorCaption, SystemText(code), MessageIcon::Error);
}

// Save As and Save, before a successful Koalize of the current picture, only ask for one.
inline void ExpectSavingRefused(Program& program) {
    for (const int command : {CMD_SAVE_AS, CMD_SAVE}) {
        SCOPED_TRACE(command == CMD_SAVE ? "Save" : "Save As");
        program.PostCommand(command);
        ExpectMessage(program.TakeMessageBox(), win::msg::FirstKoalize);
        EXPECT_TRUE(program.NoMessageBox(200ms));
    }
}

// The state bits of a menu item that a user sees: grayed, checked.
inline UINT Shown(UINT menuState) { return menuState & (MF_GRAYED | MF_DISABLED | MF_CHECKED); }

}  // namespace pxm::gui
