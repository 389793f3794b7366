#pragma once
// How the GUI tests ask questions that only the program's own process can answer: menu states
// (menus are not readable from another process under Wine), texts behind message pointers
// (status panes, tooltips), message-box icons and painted pixels. The tests hook the program's
// user-interface thread with the probe DLL, write a question into a shared mailbox and post
// ProbeMessageName to one of its windows; the hook answers in the program and swallows the message.
#include <windows.h>

namespace pxm::probe {

inline constexpr char ProbeMessageName[] = "PixmosaicGuiProbe";
inline constexpr char MailboxName[] = "PixmosaicGuiProbeMailbox";
inline constexpr char HookProcName[] = "ProbeGetMessageHook";

enum class Question : LONG {
    MenuState = 1,      // arg: command; answer: GetMenuState of the window's menu (0xFFFFFFFF if absent)
    StatusText = 3,     // window: status bar, arg: pane; text: the pane's text
    TooltipText = 4,    // window: toolbar, arg: button command; text: what the tooltip shows
    MessageIcon = 5,    // window: message box; answer: a MessageBoxIcon below
    ColumnRun = 6,      // window, arg: client x; answer: rows from the top painted like row 0, colour: that pixel
    Pixel = 7,          // window, arg: x | y << 16 in client pixels; colour: the pixel
    ShownTooltip = 9,   // window: toolbar; answer: command of the button whose tooltip shows, or 0;
                        // text: the text the tooltip keeps for it
    ProgramIcons = 10,  // window; answer: 1 if its large icon is the program's IDI_PROGRAM, + 2 if its
                        // small icon is a 16 x 16 one
    ButtonRect = 11,    // window: toolbar, arg: button command; rect: the button in screen coordinates
    WindowText = 12,    // window; text: its text, read inside the program
    Ping = 8,           // nothing: answered once every message posted before it has been handled
};

enum class MessageBoxIcon : LONG { None = 0, Error = 1, Warning = 2, Information = 3, Question = 4, Other = 5 };

struct Mailbox {
    volatile LONG asked;     // number of the question in the mailbox
    volatile LONG answered;  // number of the question last answered
    Question question;
    LONG arg;
    UINT_PTR window;
    LONG answer;
    COLORREF colour;
    RECT rect;
    char text[1024];
};

}  // namespace pxm::probe
