#include "tests/win/gui/program.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "win/common/program_texts.h"

namespace pxm::gui {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto PollInterval = 20ms;
constexpr int MessageTextId = 0xFFFF;  // the text of a message box
// The file-name field of the Explorer-style file dialogs: a combo box (cmb13) or, in older
// templates, an edit control (edt1).
constexpr int FileNameComboId = 0x47C;
constexpr int FileNameEditId = 0x480;

probe::Mailbox& SharedMailbox() {
    static probe::Mailbox* mailbox = [] {
        HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(probe::Mailbox),
                                            probe::MailboxName);
        if (!mapping) throw std::runtime_error("cannot create the probe mailbox");
        return static_cast<probe::Mailbox*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(probe::Mailbox)));
    }();
    return *mailbox;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId) s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMessageBox(HWND window) {
    return IsWindowVisible(window) && ClassName(window) == "#32770" && GetDlgItem(window, MessageTextId);
}

HWND FileNameFieldOf(HWND dialog) {
    // Answered once the dialog has finished setting itself up.
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    HWND field = GetDlgItem(dialog, FileNameComboId);
    return field ? field : GetDlgItem(dialog, FileNameEditId);
}

}  // namespace

void MoveMouse(int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Two small steps, so the window under the pointer sees it arrive and move.
    for (int step = 0; step < 2; ++step) {
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = (x + step) * 65535 / (width - 1);
        move.mi.dy = y * 65535 / (height - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &move, sizeof move);
        Sleep(50);
    }
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

TestPaths& Paths() {
    static TestPaths setup;
    return setup;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

Program::Program(const std::string& programPath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + programPath + "\"";
    if (!CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        throw std::runtime_error("cannot start " + programPath);
    WaitForInputIdle(process_.hProcess, 10000);
    const bool found = Eventually(
        [this] {
            for (HWND window : TopLevelWindows(process_.dwProcessId)) {
                const std::string title = WindowText(window);
                if (title.starts_with(win::ProgramTitle) && IsWindowVisible(window)) main_ = window;
                if (title == "Bitmap Viewer") viewer_ = window;
            }
            return main_ && viewer_;
        },
        15s);
    if (!found) throw std::runtime_error("the main window did not appear");

    static HMODULE probe = LoadLibraryA(Paths().probePath.c_str());
    // GetProcAddress gives a generic function pointer; the hook's own type goes through void*.
    const auto hook = probe ? reinterpret_cast<HOOKPROC>(
                                  reinterpret_cast<void*>(GetProcAddress(probe, probe::HookProcName)))
                            : nullptr;
    if (!hook) throw std::runtime_error("cannot load the probe " + Paths().probePath);
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, hook, probe, process_.dwThreadId);
    if (!hook_) throw std::runtime_error("cannot hook the program");
}

Program::~Program() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (Running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

void Program::Command(int command) {
    DWORD_PTR result = 0;
    const LRESULT sent =
        SendMessageTimeoutA(main_, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_NORMAL, 10000, &result);
    ASSERT_NE(sent, 0) << "command " << command << " did not return";
}

void Program::PostCommand(int command) { PostToWindow(main_, WM_COMMAND, static_cast<WPARAM>(command)); }

void Program::PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ASSERT_TRUE(PostMessageA(window, message, wParam, lParam));
}

void Program::Click(int control) { PostToWindow(Control(control), BM_CLICK); }

POINT Program::ToolbarButtonCentre(int command) {
    const RECT button = Ask(probe::Question::ButtonRect, Control(IDC_TOOLBAR), command).rect;
    return POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
}

void Program::Activate() {
    SetForegroundWindow(main_);
    EXPECT_TRUE(Eventually([this] { return GetForegroundWindow() == main_; }, 2s)) << "the main window stayed inactive";
}

void Program::ClickToolbarButton(int command) {
    Activate();
    HWND toolbar = Control(IDC_TOOLBAR);
    const POINT centre = ToolbarButtonCentre(command);
    MoveMouse(centre.x, centre.y);
    // Pressed only once the toolbar has seen the pointer arrive: its button is then the hot one.
    const LRESULT index = SendMessageA(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(command), 0);
    EXPECT_TRUE(Eventually([&] { return SendMessageA(toolbar, TB_GETHOTITEM, 0, 0) == index; }, 2s))
        << "the pointer never reached toolbar button " << command;
    for (DWORD action : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        INPUT press{};
        press.type = INPUT_MOUSE;
        press.mi.dwFlags = action;
        SendInput(1, &press, sizeof press);
        Sleep(30);
    }
}

void Program::Settle() { Ask(probe::Question::Ping, main_, 0); }

HWND Program::WaitWindow(std::string_view caption, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    Eventually(
        [&] {
            for (HWND window : TopLevelWindows(process_.dwProcessId))
                if (IsWindowVisible(window) && WindowText(window) == caption) found = window;
            return found != nullptr;
        },
        timeout);
    return found;
}

bool Program::WaitGone(HWND window, std::chrono::milliseconds timeout) {
    return Eventually([window] { return !IsWindow(window); }, timeout);
}

SeenMessageBox Program::WaitMessageBox(std::chrono::milliseconds timeout) {
    SeenMessageBox box;
    Eventually(
        [&] {
            for (HWND window : TopLevelWindows(process_.dwProcessId))
                if (IsMessageBox(window)) box.window = window;
            return box.window != nullptr;
        },
        timeout);
    if (!box.window) {
        ADD_FAILURE() << "no message box appeared";
        return box;
    }
    box.caption = WindowText(box.window);
    box.text = WindowText(GetDlgItem(box.window, MessageTextId));
    box.icon = static_cast<probe::MessageBoxIcon>(Ask(probe::Question::MessageIcon, box.window, 0).answer);
    return box;
}

void Program::Dismiss(const SeenMessageBox& box, int button) {
    if (!box.window) return;
    PostToWindow(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, button)));
    ASSERT_TRUE(WaitGone(box.window)) << "the message box stayed open";
    Settle();
}

SeenMessageBox Program::TakeMessageBox(std::chrono::milliseconds timeout) {
    SeenMessageBox box = WaitMessageBox(timeout);
    Dismiss(box);
    return box;
}

bool Program::NoMessageBox(std::chrono::milliseconds within) {
    Settle();
    const auto end = Clock::now() + within;
    while (Clock::now() < end) {
        for (HWND window : TopLevelWindows(process_.dwProcessId))
            if (IsMessageBox(window)) return false;
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

std::string Program::FileNameField(HWND dialog) {
    return Ask(probe::Question::WindowText, FileNameFieldOf(dialog), 0).text;
}

HWND Program::TypeFileName(std::string_view dialogCaption, const std::string& path) {
    HWND dialog = WaitWindow(dialogCaption);
    EXPECT_NE(dialog, nullptr) << "no \"" << dialogCaption << "\" dialog";
    if (!dialog) return nullptr;
    HWND field = FileNameFieldOf(dialog);
    EXPECT_NE(field, nullptr) << "the file dialog has no file-name field";
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 5000, nullptr);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return dialog;
}

void Program::ChooseFile(std::string_view dialogCaption, const std::string& path) {
    HWND dialog = TypeFileName(dialogCaption, path);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitGone(dialog)) << "the file dialog did not accept " << path;
    Settle();
}

void Program::CancelFileDialog(std::string_view dialogCaption) {
    HWND dialog = WaitWindow(dialogCaption);
    ASSERT_NE(dialog, nullptr) << "no \"" << dialogCaption << "\" dialog";
    PostToWindow(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(WaitGone(dialog));
    Settle();
}

void Program::Open(const std::string& path) {
    PostCommand(CMD_OPEN);
    ChooseFile("Open a bitmap picture", path);
}

void Program::SaveAs(const std::string& path) {
    PostCommand(CMD_SAVE_AS);
    ChooseFile("Save file", path);
}

std::string Program::Title() const { return WindowText(main_); }

std::string Program::Text(int control) const { return WindowText(Control(control)); }

bool Program::Checked(int control) const {
    return SendMessageA(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Program::Enabled(int control) const { return IsWindowEnabled(Control(control)) != FALSE; }

UINT Program::MenuState(int command) {
    return static_cast<UINT>(Ask(probe::Question::MenuState, main_, command).answer);
}

LRESULT Program::ToolbarState(int command) const {
    return SendMessageA(Control(IDC_TOOLBAR), TB_GETSTATE, static_cast<WPARAM>(command), 0);
}

std::string Program::StatusText(int pane) { return Ask(probe::Question::StatusText, Control(IDC_STATUSBAR), pane).text; }

std::string Program::Tooltip(int command) { return Ask(probe::Question::TooltipText, Control(IDC_TOOLBAR), command).text; }

int Program::ShownTooltip(std::string* text) {
    const probe::Mailbox& answer = Ask(probe::Question::ShownTooltip, Control(IDC_TOOLBAR), 0);
    *text = answer.text;
    return answer.answer;
}

bool Program::HasProgramIcons(HWND window) { return Ask(probe::Question::ProgramIcons, window, 0).answer == 3; }

int Program::ColourCount() const { return static_cast<int>(SendMessageA(Control(IDC_COLORCOMBO), CB_GETCOUNT, 0, 0)); }

int Program::ColourSelection() const { return static_cast<int>(SendMessageA(Control(IDC_COLORCOMBO), CB_GETCURSEL, 0, 0)); }

LRESULT Program::ColourItemData(int index) const {
    return SendMessageA(Control(IDC_COLORCOMBO), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void Program::SelectColour(int index) {
    SendMessageA(Control(IDC_COLORCOMBO), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Program::PaintedRows(HWND window, int x, COLORREF* colour) {
    const probe::Mailbox& answer = Ask(probe::Question::ColumnRun, window, x);
    if (colour) *colour = answer.colour;
    return answer.answer;
}

COLORREF Program::PixelAt(HWND window, int x, int y) {
    return Ask(probe::Question::Pixel, window, x | (y << 16)).colour;
}

DWORD Program::Close() {
    PostToWindow(main_, WM_SYSCOMMAND, SC_CLOSE);
    return WaitExit();
}

DWORD Program::WaitExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end";
        return STILL_ACTIVE;
    }
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &status);
    return status;
}

probe::Mailbox& Program::Ask(probe::Question question, HWND window, LONG arg) {
    static const UINT probeMessage = RegisterWindowMessageA(probe::ProbeMessageName);
    probe::Mailbox& box = SharedMailbox();
    box.question = question;
    box.window = reinterpret_cast<UINT_PTR>(window);
    box.arg = arg;
    const LONG number = box.asked + 1;
    InterlockedExchange(&box.asked, number);
    // Answers come within microseconds to milliseconds: poll without the usual pause.
    const auto answered = [&] {
        const auto end = Clock::now() + 10s;
        while (box.answered != number)
            if (Clock::now() > end) return false; else Sleep(0);
        return true;
    };
    if (!PostMessageA(main_, probeMessage, 0, 0) || !answered()) {
        ADD_FAILURE() << "the program did not answer the probe";
        box.answer = -1;
        box.text[0] = '\0';
    }
    return box;
}

}  // namespace pxm::gui
