#include "dialogs/About.h"

#include "platform/Desktop.h"
#include "state/Dialogs.h"
#include "state/Version.h"

#include <string>

namespace tess {

DialogLayout aboutDialog() {
    using namespace controlstyle;
    // The program's own version, whatever a settings file read at start-up said.
    const std::string block = "Version " + std::string(kVersion) + " - Free distribution\r\nby " +
                              std::string(kAuthorName) + "\r\n\r\n";
    // The links show an address as it is: an "&" in it is no access key.
    constexpr std::uint32_t kLink = kStaticNotify | kStaticNoPrefix;
    constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;
    const TextLook link{.points = 10, .underline = true, .color = kBlue};
    return {.title = "About Tessaline",
            .width = 220,
            .height = 160,
            .controls = {{"STATIC", kAboutName, "Tessaline", 50, 10, 80, 20, 0, 0, {.points = 14, .color = kRed}},
                         {"STATIC", kAboutForWindows, " for Windows", 120, 13, 70, 10, 0, 0,
                          {.points = 10, .italic = true}},
                         {"STATIC", kAboutLanguages, "(HTML, CSS, JavaScript, PHP)", 50, 25, 125, 15, 0},
                         {"STATIC", kAboutVersionBlock, block, 50, 45, 180, 30, 0, 0, {.points = 10}},
                         {"STATIC", kAboutMailLink, std::string(kAuthorMail), 60, 80, 140, 12, kLink, 0, link},
                         {"STATIC", kAboutWebLink, std::string(kAuthorWeb), 60, 95, 140, 12, kLink, 0, link},
                         {"STATIC", -1, "", 10, 10, 30, 30, kStaticOwnerDraw}}};
}

void showAbout(Context& ctx) {
    AboutModel model(ctx.desktop);
    runDialog(ctx, aboutDialog(), model);
}

// Enter closes the box (Esc and the close box do so through cancel). Any notification from a link
// follows it, and the box stays open whatever the shell answers: with no mail program or browser
// registered there is nothing more to do.
void AboutModel::command(DialogView& view, int id, int) {
    if (id == kDialogOk) view.close(kDialogOk);
    else if (id == kAboutMailLink) desktop_.shellOpen("mailto:" + std::string(kAuthorMail) + "?", ShowAs::Normal);
    else if (id == kAboutWebLink) desktop_.shellOpen(std::string(kAuthorWeb), ShowAs::Maximized);
}

}  // namespace tess
