#include "cli/c64_info.h"

#include "cli/c64_refusal.h"
#include "cli/petscii_text.h"
#include "cli/text_join.h"
#include "core/koala/colour_names.h"
#include "core/view/shown_colours.h"

namespace pxm::cli {

namespace {

std::string ColourText(int colour) { return Join({ColourName(colour), " (", std::to_string(colour), ")"}); }

}  // namespace

std::string C64InfoText(const C64Picture& picture) {
    const int background = picture.image[KoalaBackgroundOffset] & 15;
    std::string text = Join({"Format: ", InfoOf(picture.format).name, " (", InfoOf(picture.format).key, ")\n"});
    text += Join({"Container: ", ContainerName(picture.container),
                  picture.showingProgram ? ", a program that shows the picture" : "", "\n"});
    text += Join({"Load address: ", AddressText(picture.loadAddress), "\n"});
    text += Join({"C64 name: ", picture.container ? Join({"\"", PetsciiText(picture.c64Name), "\""}) : "none", "\n"});
    text += Join({"Background: ",
                  picture.hasBackground || picture.showingProgram ? ColourText(background) : "none kept (shown black)", "\n"});
    const std::bitset<C64ColourCount> used = ColoursUsed(picture.image);
    std::string colours;
    for (int c = 0; c < C64ColourCount; ++c) {
        if (used.test(static_cast<std::size_t>(c))) colours += Join({colours.empty() ? "" : ", ", ColourText(c)});
    }
    text += Join({"Colours used: ", std::to_string(used.count()), ": ", colours, "\n"});
    return text;
}

}  // namespace pxm::cli
