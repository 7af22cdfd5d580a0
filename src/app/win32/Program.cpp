#include "app/win32/Program.h"

#include "app/Commands.h"
#include "app/Startup.h"
#include "document/Documents.h"
#include "editor/Fragments.h"
#include "platform/win32/DesktopWin.h"
#include "platform/win32/WideText.h"
#include "print/Pagination.h"
#include "search/SearchText.h"
#include "print/win32/GdiPrinter.h"
#include "resources/resource.h"

#include <shlobj.h>

#include <stdexcept>
#include <vector>

namespace tess::win32 {

namespace {

constexpr char kRescueFileName[] = "Tessaline rescued text.txt";

std::string folderWithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string programFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            const std::string path = narrow(std::wstring_view(buffer.data(), length));
            const auto slash = path.find_last_of('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);  // a long path was cut: try again with room for it
    }
}

// The system's upper case, for searches that ignore case: every script it knows.
void systemUpperCase(std::u16string& text) {
    if (!text.empty()) ::CharUpperBuffW(reinterpret_cast<wchar_t*>(text.data()), static_cast<DWORD>(text.size()));
}

std::string shellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return narrow(path);
}

}  // namespace

Program::Program() = default;

Program::~Program() {
    setFailureHandler(nullptr);
    setCaseMapping(nullptr);
    window_.reset();
}

std::string Program::dataFolder() const {
    if (!options_.dataFolder.empty()) return folderWithBackslash(options_.dataFolder);
    return chooseDataFolder(programFolder(), [] {
        return SystemFolders{shellFolder(CSIDL_PROGRAM_FILES), shellFolder(CSIDL_COMMON_APPDATA)};
    });
}

bool Program::start(HINSTANCE instance, const ProgramOptions& options) {
    options_ = options;
    if (options.desktop) {
        desktop_ = options.desktop;
    } else {
        ownDesktop_ = std::make_unique<DesktopWin>();
        desktop_ = ownDesktop_.get();
    }
    setFailureHandler([this](std::string_view what) { reportFailure(what); });
    setCaseMapping(&systemUpperCase);
    window_ = std::make_unique<MainWindow>(app_, *desktop_, [this](int id) {
        CommandContext ctx = context();
        return runCommand(ctx, id);
    });
    help_ = std::make_unique<HelpWindow>(*desktop_, router_, helpState_,
                                         [this](const std::string& title, const std::string& body) {
                                             CommandContext ctx = context();
                                             printHelpTopic(ctx, title, body);
                                         });
    window_->onShowHelp = [this] { help_->showHelp(app_.paths.helpFile, "", window_->hwnd()); };
    window_->printers = options.printers ? options.printers : &systemPrinters();
    window_->onEnded = [this] {
        tagLists_.closeAll();
        help_->close();
        router_.remove(*window_);
        if (options_.quitOnEnd) ::PostQuitMessage(0);
    };

    window_->onShowTagList = [this] { showTagList(); };

    const auto fail = [this] {
        if (window_->hwnd()) {
            window_->onEnded = nullptr;
            ::DestroyWindow(window_->hwnd());
        }
        desktop_->messageBox({.title = "Tessaline",
                              .text = "Tessaline could not create its window and cannot start.",
                              .buttons = Buttons::Ok,
                              .icon = Icon::Error});
        return false;
    };
    if (!window_->create(instance)) return fail();
    if (auto* real = dynamic_cast<DesktopWin*>(desktop_)) real->setOwner(window_->hwnd());
    router_.add(*window_);

    CommandContext ctx = context();
    const bool settingsRead = loadOrCreateSettings(ctx, dataFolder());
    window_->applySettings(settingsRead && app_.settings.useLastSize);
    // Written only now: before the menu bar went in, the client area was a menu bar's height taller
    // than the window the user sees, and a program ended before its first close would start that
    // much taller next time. The zeros of the first file are still in place.
    if (!settingsRead) saveSettings(ctx);
    applyInMemoryDefaults(app_);
    // Everything that makes the editor measure its lines again (font, size, wrapping) is in place
    // before the text goes in: each of them would otherwise lay out the whole document once more.
    if (!window_->finishStartup()) return fail();
    // The window is up before the document loads: a large one takes seconds, which the user
    // should spend looking at the program starting rather than at nothing.
    if (options.show) {
        ::ShowWindow(window_->hwnd(), SW_SHOW);
        ::UpdateWindow(window_->hwnd());
    }
    if (const std::string document = startupDocument(options.commandLine, app_.settings); !document.empty()) {
        loadDocument(ctx, document);
    }
    // Posted, so that a document loaded above counts as unchanged once the window is up.
    ::PostMessageW(window_->hwnd(), WM_TESS_CLEARMODIFIED, 0, 0);
    return true;
}

// The entry goes where the user was typing: the editor takes the keyboard back first.
void Program::showTagList() {
    const auto inserted = [this](const TagInsertion& tag) {
        ::SetFocus(window_->editorHwnd());
        CommandContext ctx = context();
        insertFragment(ctx, utf16(tag.text), tag.caret);
    };
    if (const auto main = window_->windowGeometry(); main && tagLists_.open(*main, inserted)) return;
    desktop_->messageBox({.title = "Tessaline", .text = cannotOpenText("HTML Tags"), .icon = Icon::Error});
}

void Program::reportFailure(std::string_view what) {
    if (!desktop_) throw std::logic_error("no desktop to report on");  // the plain box takes over
    std::string text = "Tessaline could not finish what it was doing:\r\n" + std::string(what);
    if (window_ && window_->editorHwnd() && window_->editor().modified()) {
        const std::string rescue = app_.paths.dataFolder + kRescueFileName;
        // In the document's encoding, or UTF-8 with its mark when that cannot hold the text: the
        // rescue must not lose a character.
        CommandContext ctx = context();
        const std::u16string document = window_->editor().text();
        const std::optional<std::string> bytes = encodeDocument(document, app_.encoding, documentCodePage(ctx));
        if (desktop_->writeFileSafely(rescue, bytes ? *bytes : "\xEF\xBB\xBF" + utf8(document)) == FileError::None)
            text += "\r\n\r\nYour unsaved text has also been written to\r\n" + rescue;
        else
            text += "\r\n\r\nYour unsaved text is still in the editor: save it now under a new name.";
    }
    desktop_->messageBox({.title = "Tessaline", .text = text, .buttons = Buttons::Ok, .icon = Icon::Error,
                          .modality = Modality::Task});
}

}  // namespace tess::win32
