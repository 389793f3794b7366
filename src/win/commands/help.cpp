#include "win/commands/help.h"

#include <shellapi.h>

#include "win/common/message_box.h"
#include "win/common/program_texts.h"

namespace pxm::win {

void ShowHelp(const AppState& state, HWND owner) {
    // The bare name: the working directory is what puts the file beside the program.
    const std::string file(HelpFileName);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", file.c_str(), nullptr, state.programDir.data(), SW_SHOWNORMAL));
    if (result == SE_ERR_FNF)
        ShowMessage(owner, msg::HelpErrorCaption, HelpNotFoundText(state.programDir.data()), MessageIcon::Error);
}

}  // namespace pxm::win
