#pragma once
// The About box: the program's name, version and author, and links that mail the author or open
// the author's web site. Its picture is drawn by dialogs/win32/AboutPicture.h.
#include "platform/DialogModel.h"

#include <string_view>

namespace tess {

class Desktop;
struct Context;

inline constexpr int kAboutName = 9901;
inline constexpr int kAboutForWindows = 9902;
inline constexpr int kAboutVersionBlock = 9903;
inline constexpr int kAboutMailLink = 9904;
inline constexpr int kAboutWebLink = 9905;
inline constexpr int kAboutLanguages = 9906;

inline constexpr std::string_view kAuthorName = "Orvalle";
inline constexpr std::string_view kAuthorMail = "tessaline@orvalle.example";
inline constexpr std::string_view kAuthorWeb = "https://orvalle.example/tessaline";

// The labels, then the picture, which has no id and no text.
DialogLayout aboutDialog();

// Help > About: the box, modal to the main window, until it is closed.
void showAbout(Context& ctx);

class AboutModel final : public DialogModel {
public:
    explicit AboutModel(Desktop& desktop) : desktop_(desktop) {}
    void command(DialogView& view, int id, int code) override;

private:
    Desktop& desktop_;
};

}  // namespace tess
