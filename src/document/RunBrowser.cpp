#include "document/RunBrowser.h"

#include "document/Documents.h"
#include "document/RecentFiles.h"
#include "platform/EditControl.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tess {

namespace {

// prefix is lower-case ASCII.
bool startsWithNoCase(std::u16string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char16_t b) {
               return static_cast<char16_t>(a) == (b >= u'A' && b <= u'Z' ? static_cast<char16_t>(b + 32) : b);
           });
}

bool containsNoCase(std::u16string_view text, std::string_view part) {
    for (std::size_t at = text.find(u'<'); at != std::u16string_view::npos; at = text.find(u'<', at + 1))
        if (startsWithNoCase(text.substr(at), part)) return true;
    return false;
}

// A folder as a file URL ending with "/", for a double-quoted HTML attribute: C:\a b\ gives
// file:///C:/a%20b/, \\server\share\ gives file://server/share/. Characters that would end or
// break the URL are percent-encoded, and an "&" is written as a character reference: a folder
// named "a&lt;b" would otherwise be read as "a<b". Characters beyond ASCII stay as they are: they
// are written in the page's own encoding, as the rest of the page is.
std::string folderUrl(std::string_view folder) {
    const bool network = folder.starts_with("\\\\");
    std::string url = network ? "file://" : "file:///";
    for (const char c : folder.substr(network ? 2 : 0)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            url += '/';
        } else if (c == '&') {
            url += "&amp;";
        } else if (byte <= 0x20 || byte == 0x7F || std::string_view("%#?\"<>").find(c) != std::string_view::npos) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            url += escaped;
        } else {
            url += c;
        }
    }
    if (url.back() != '/') url += '/';
    return url;
}

// Anything before a doctype puts a browser into its quirks mode, which would show the page
// otherwise than its real file does: the element goes after a leading doctype.
std::size_t afterDoctype(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] < 0x80 && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (!startsWithNoCase(text.substr(at), "<!doctype")) return 0;
    const std::size_t end = text.find(u'>', at);
    return end == std::u16string_view::npos ? 0 : end + 1;
}

}  // namespace

std::string browserExecutable(std::string_view prefix) {
    while (!prefix.empty() && prefix.back() == ' ') prefix.remove_suffix(1);
    if (prefix.size() >= 2 && prefix.front() == '"' && prefix.back() == '"')
        prefix = prefix.substr(1, prefix.size() - 2);
    return std::string(prefix);
}

// The stored prefix is an unquoted path: given to the system as it is, "C:\Program Files\x.exe"
// would first be tried as C:\Program.exe, and a file planted there would run instead.
std::string browserCommandLine(std::string_view prefix, std::string_view file) {
    return "\"" + browserExecutable(prefix) + "\" \"" + std::string(file) + "\"";
}

// Written anywhere but beside the document, a page would lose its own stylesheets, scripts and
// images. A page that names its own base already says where its links lead.
std::u16string previewText(std::u16string_view text, std::string_view documentFile) {
    const std::string folder = folderOf(documentFile);
    const bool absolute = folder.starts_with("\\\\") || (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\');
    if (!absolute || containsNoCase(text, "<base")) return std::u16string(text);
    const std::size_t at = afterDoctype(text);
    return std::u16string(text.substr(0, at)) + utf16("<base href=\"" + folderUrl(folder) + "\">") +
           std::u16string(text.substr(at));
}

// A preview that could not be written is reported and no browser starts: it would show an older
// text, or none, as if it were the current one.
void runInBrowser(Context& ctx) {
    App& app = ctx.app;
    const std::string& preview = app.paths.previewFile;
    // In the document's encoding, so the browser shows what the saved page will show; UTF-8 with
    // its mark, as a browser takes unmarked UTF-8 for its default code page. A text the encoding
    // cannot store (not yet saved) is previewed in UTF-8 all the same.
    const std::u16string text = previewText(ctx.editor.text(), app.currentFile);
    const Encoding encoding = app.encoding == Encoding::Utf8 ? Encoding::Utf8Bom : app.encoding;
    const std::optional<std::string> bytes = encodeDocument(text, encoding, documentCodePage(ctx));
    const FileError error = ctx.desktop.writeFileSafely(preview, bytes ? *bytes : "\xEF\xBB\xBF" + utf8(text));
    if (error != FileError::None) {
        showFileError(ctx, preview, fileErrorText(error));
        return;
    }
    if (!app.currentFile.empty()) updateRecentFiles(ctx);

    Settings& s = app.settings;
    if (s.browserIndex >= 1 && s.browserIndex <= static_cast<int>(s.browserPaths.size()))
        app.browserCommand = s.browserPaths[static_cast<std::size_t>(s.browserIndex - 1)];
    if (!ctx.desktop.fileExists(browserExecutable(app.browserCommand))) {
        // A folder that is there says nothing about the browser in it: a fallback that cannot
        // start would be stored as the user's choice and fail silently at every Run browser.
        const auto fallback = std::ranges::find_if(kFallbackBrowsers, [&](std::string_view prefix) {
            return ctx.desktop.fileExists(browserExecutable(prefix));
        });
        if (fallback == std::end(kFallbackBrowsers)) {
            ctx.desktop.messageBox({.text = "Select a browser from Preferences", .icon = Icon::Information});
            return;
        }
        app.browserCommand = *fallback;
        s.browserPaths[0] = app.browserCommand;
        s.browserIndex = 1;
    }
    if (ctx.desktop.startProcess(browserCommandLine(app.browserCommand, preview))) return;
    // Otherwise nothing at all would happen, and the user could not tell which browser to replace.
    ctx.desktop.messageBox({.title = "Tessaline",
                            .text = "The browser could not be started:\r\n" + browserExecutable(app.browserCommand) +
                                    "\r\nSelect another one from Preferences.",
                            .icon = Icon::Error});
}

}  // namespace tess
