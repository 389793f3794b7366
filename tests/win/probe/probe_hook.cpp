// The probe DLL, loaded into the program by the tests' message hook: answers the question in
// the shared mailbox when the probe message comes through the program's message loop.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "tests/win/probe/probe_protocol.h"
#include "win/resources/resource_ids.h"

namespace {

using namespace pxm::probe;

Mailbox* OpenMailbox() {
    static Mailbox* mailbox = [] {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, MailboxName);
        return mapping ? static_cast<Mailbox*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Mailbox)))
                       : nullptr;
    }();
    return mailbox;
}

void CopyText(Mailbox& box, const char* text) {
    lstrcpynA(box.text, text, sizeof box.text);
}

MessageBoxIcon IconOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        const auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (!icon) return MessageBoxIcon::None;
        if (icon == LoadIconA(nullptr, IDI_HAND)) return MessageBoxIcon::Error;
        if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) return MessageBoxIcon::Warning;
        if (icon == LoadIconA(nullptr, IDI_ASTERISK)) return MessageBoxIcon::Information;
        if (icon == LoadIconA(nullptr, IDI_QUESTION)) return MessageBoxIcon::Question;
        return MessageBoxIcon::Other;
    }
    return MessageBoxIcon::None;
}

LONG ProgramIconsOf(HWND window) {
    LONG found = 0;
    const auto big = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (big && big == LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM))) found |= 1;
    const auto small = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    ICONINFO info{};
    if (small && GetIconInfo(small, &info)) {
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        // Without a colour bitmap the mask holds both halves, one above the other.
        if (mask.bmWidth == 16 && mask.bmHeight == (info.hbmColor ? 16 : 32)) found |= 2;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    return found;
}

void Answer(Mailbox& box) {
    const auto window = reinterpret_cast<HWND>(box.window);
    box.answer = 0;
    box.colour = CLR_INVALID;
    box.text[0] = '\0';
    box.rect = RECT{};
    switch (box.question) {
        case Question::MenuState:
            box.answer = static_cast<LONG>(GetMenuState(GetMenu(window), static_cast<UINT>(box.arg), MF_BYCOMMAND));
            break;
        case Question::StatusText: {
            char text[sizeof box.text] = {};
            if (LOWORD(SendMessageA(window, SB_GETTEXTLENGTHA, static_cast<WPARAM>(box.arg), 0)) < sizeof text)
                SendMessageA(window, SB_GETTEXTA, static_cast<WPARAM>(box.arg), reinterpret_cast<LPARAM>(text));
            CopyText(box, text);
            break;
        }
        case Question::TooltipText: {
            // The tooltip fills at most 80 characters through the ANSI message.
            char text[INFOTIPSIZE] = {};
            TTTOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = window;
            tool.uId = static_cast<UINT_PTR>(box.arg);
            tool.lpszText = text;
            const auto tooltip = reinterpret_cast<HWND>(SendMessageA(window, TB_GETTOOLTIPS, 0, 0));
            SendMessageA(tooltip, TTM_GETTEXTA, 80, reinterpret_cast<LPARAM>(&tool));
            CopyText(box, text);
            break;
        }
        case Question::ShownTooltip: {
            const auto tooltip = reinterpret_cast<HWND>(SendMessageA(window, TB_GETTOOLTIPS, 0, 0));
            char text[INFOTIPSIZE] = {};
            TTTOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = text;
            if (IsWindowVisible(tooltip) && SendMessageA(tooltip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
                box.answer = static_cast<LONG>(tool.uId);
                if (tool.lpszText == text) CopyText(box, text);
            }
            break;
        }
        case Question::ButtonRect:
            SendMessageA(window, TB_GETRECT, static_cast<WPARAM>(box.arg), reinterpret_cast<LPARAM>(&box.rect));
            MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box.rect), 2);
            break;
        case Question::WindowText:
            GetWindowTextA(window, box.text, sizeof box.text);
            break;
        case Question::ProgramIcons:
            box.answer = ProgramIconsOf(window);
            break;
        case Question::MessageIcon:
            box.answer = static_cast<LONG>(IconOf(window));
            break;
        case Question::ColumnRun: {
            UpdateWindow(window);  // what is waiting to be painted first
            HDC dc = GetDC(window);
            RECT client{};
            GetClientRect(window, &client);
            box.colour = GetPixel(dc, box.arg, 0);
            LONG rows = 0;
            while (rows < client.bottom && GetPixel(dc, box.arg, rows) == box.colour) ++rows;
            box.answer = rows;
            ReleaseDC(window, dc);
            break;
        }
        case Question::Pixel: {
            UpdateWindow(window);
            HDC dc = GetDC(window);
            box.colour = GetPixel(dc, LOWORD(box.arg), HIWORD(box.arg));
            ReleaseDC(window, dc);
            break;
        }
        case Question::Ping:
            break;
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageA(ProbeMessageName);
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == probeMessage) {
        if (Mailbox* box = OpenMailbox()) {
            Answer(*box);
            InterlockedExchange(&box->answered, box->asked);
        }
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
