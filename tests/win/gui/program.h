#pragma once
// Drives the real Pixmosaic.exe from another process, as a user would: starts it, finds its
// windows, sends the commands its menus and buttons send, fills in and confirms its file
// dialogs, reads and dismisses its message boxes, and reads back what its windows show.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "tests/win/probe/probe_protocol.h"
#include "win/resources/resource_ids.h"

namespace pxm::gui {

using namespace std::chrono_literals;

// Where the tests find the program and put their files; set from the command line.
struct TestPaths {
    std::string programPath;  // Pixmosaic.exe
    std::string probePath;    // the probe DLL
    std::string workDir;      // a fresh directory, ending in a backslash
};
TestPaths& Paths();

struct SeenMessageBox {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    probe::MessageBoxIcon icon = probe::MessageBoxIcon::None;
};

class Program {
public:
    explicit Program(const std::string& programPath = Paths().programPath);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Main() const { return main_; }
    HWND Viewer() const { return viewer_; }
    HWND Control(int id) const { return GetDlgItem(main_, id); }
    bool Running() const;

    // A command whose handler opens no window: returns when it has been carried out.
    void Command(int command);
    // A command that goes on to show a dialog or message box: returns at once.
    void PostCommand(int command);
    void PostToWindow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // A click on a button or radio button of the main dialog, carried out like a user's.
    void Click(int control);
    // Returns when every message already posted to the program has been handled.
    void Settle();

    // The visible top-level window of the program with this caption, waiting for it to appear.
    HWND WaitWindow(std::string_view caption, std::chrono::milliseconds timeout = 10s);
    bool WaitGone(HWND window, std::chrono::milliseconds timeout = 10s);
    // The message box the program shows next, read but left open.
    SeenMessageBox WaitMessageBox(std::chrono::milliseconds timeout = 10s);
    // Presses a message box's button (OK by default) and waits until the program goes on.
    void Dismiss(const SeenMessageBox& box, int button = IDOK);
    // WaitMessageBox and Dismiss.
    SeenMessageBox TakeMessageBox(std::chrono::milliseconds timeout = 10s);
    // True when no message box appears within the time.
    bool NoMessageBox(std::chrono::milliseconds within = 700ms);

    // Makes the main window the active one, as a user's click on it does: keyboard input goes there.
    void Activate();
    // The middle of a toolbar button, in screen coordinates.
    POINT ToolbarButtonCentre(int command);
    // Presses the toolbar button with the mouse, as a user does. The program handles the
    // click after everything posted to it, so wait for its effect with Eventually.
    void ClickToolbarButton(int command);

    // What the file-name field of a file dialog holds, once the dialog has set itself up.
    std::string FileNameField(HWND dialog);
    // Types a path into the file dialog of this caption and presses its OK button; returns the dialog.
    HWND TypeFileName(std::string_view dialogCaption, const std::string& path);
    // TypeFileName, then waits until the dialog has closed and the program has gone on.
    void ChooseFile(std::string_view dialogCaption, const std::string& path);
    void CancelFileDialog(std::string_view dialogCaption);
    // File ▸ Open... through the real dialog; returns when the program has gone on.
    void Open(const std::string& path);
    // File ▸ Save As... through the real dialog.
    void SaveAs(const std::string& path);

    std::string Title() const;
    std::string Text(int control) const;
    bool Checked(int control) const;
    bool Enabled(int control) const;
    UINT MenuState(int command);
    LRESULT ToolbarState(int command) const;
    std::string StatusText(int pane);
    std::string Tooltip(int command);
    // The toolbar button whose tooltip is shown (0 if none), with the text the tooltip keeps.
    int ShownTooltip(std::string* text);
    // True when the window carries the program's icon, large and 16 x 16.
    bool HasProgramIcons(HWND window);
    int ColourCount() const;
    int ColourSelection() const;
    LRESULT ColourItemData(int index) const;
    void SelectColour(int index);
    // Rows from the top of the window's client area painted in one colour, in column x.
    int PaintedRows(HWND window, int x, COLORREF* colour = nullptr);
    COLORREF PixelAt(HWND window, int x, int y);

    // Closes the program by its close box and returns its exit status.
    DWORD Close();
    // Waits for the program to end on its own and returns its exit status.
    DWORD WaitExit(std::chrono::milliseconds timeout = 10s);

private:
    probe::Mailbox& Ask(probe::Question question, HWND window, LONG arg);

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    HWND viewer_ = nullptr;
    HHOOK hook_ = nullptr;
};

// Polls the condition until it holds or the time is up; returns whether it held.
bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

// Moves the mouse pointer to a point of the screen, as a user does.
void MoveMouse(int x, int y);

// Texts of the program's windows are Windows ANSI, like the expected texts.
std::string WindowText(HWND window);

}  // namespace pxm::gui
