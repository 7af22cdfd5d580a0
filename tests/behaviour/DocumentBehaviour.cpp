#include "EditorSubject.h"
#include "document/DiskChanges.h"
#include "document/Documents.h"
#include "platform/FileNames.h"

namespace tess::test {
namespace {

using Boxes = std::vector<MessageBoxRequest>; using Texts = std::vector<std::string>;
constexpr Answer Yes = Answer::Yes, No = Answer::No, Cancel = Answer::Cancel, Ok = Answer::Ok;
const std::string kOld = "C:\\Web\\old.html", kNext = "C:\\Web\\next.html", kTaken = "C:\\Web\\taken.html",
                  kNamed = "C:\\Web\\named.html", kFull = "C:\\Full\\page.html", kLocked = "C:\\Locked\\copy.html",
                  kGone = "C:\\Gone\\old.html", kBad = "C:\\Web\\bad.html", kPreview = "C:\\Data\\runFile.htm",
                  kIni = "C:\\Data\\Tessaline.ini", kDevice = "C:\\nul.txt";
const std::map<std::string, std::string> kDisk{{kOld, "on disk"}, {kNext, "next"}, {kTaken, "theirs"}, {kFull, "on disk"},
                                               {kBad, std::string("ab\0cd", 5)}, {kPreview, "preview"}};
const MessageBoxRequest kDiscard = question("Tessaline", "File has changed...\r\nsave it before opening another file?", Buttons::YesNo),
    kChanged = question("Tessaline", "File has changed...\r\ndo you want to save it?", Buttons::YesNoCancel),
    kQuit = question("Tessaline", "Quit program now?", Buttons::YesNo), kSaveNow = question("Save File", "Save file now?", Buttons::YesNo),
    kOverwrite = question(kTaken, "file already exists... Ok to override?", Buttons::YesNo, Icon::Exclamation);
MessageBoxRequest fileError(const std::string& path, std::string_view text) {
    return {.title = "File Error ", .text = path + "\r\n" + std::string(text) + "   ", .icon = Icon::Error};
}

constexpr int kDrop = -1;  // next.html dropped on the window; 0: the window closed; each command on a fresh document
struct Row { const char* name; std::vector<int> commands; std::string file; bool modified; std::deque<Answer> answers;
    Boxes boxes; std::optional<std::string> saveAs; std::string savedTo; bool goesOn; std::string text = "unsaved";
    std::string opens = kNext; };

std::unique_ptr<EditorSubject> editing(const Row& r) {
    auto s = makeEditorSubject();
    s->app().currentFile = r.file, s->set(r.text);  // named first, so that the status bar shows the file
    s->edit().bookmarks = {1}, s->editor().setModified(r.modified);
    s->app().settings.recentFiles = {kNext}, s->app().settings.recentCount = 1, s->app().settings.askToQuit = !r.boxes.empty();
    FakeDesktop& d = s->desktop();
    d.files = kDisk, d.answers = r.answers, d.saveResults = {r.saveAs}, d.openResults = {r.opens};
    d.writeErrors = {{kFull, FileError::DiskFull}, {kLocked, FileError::PermissionDenied}};
    return s;
}

void run(const Row& r, int id, FileError readError = FileError::None) {
    SCOPED_TRACE(std::string(r.name) + ", command " + std::to_string(id));
    auto s = editing(r);
    FakeDesktop& d = s->desktop();
    if (readError != FileError::None) d.readErrors[r.opens] = readError;
    if (id == kDrop) s->drop({kNext});
    else if (id) s->command(id);
    const bool closed = id == 0 && s->close(), replaced = r.goesOn && id != IDM_SAVE && id != IDM_SAVEAS;
    auto disk = kDisk;
    if (!r.savedTo.empty()) disk[r.savedTo] = r.text;
    if (closed) disk.erase(kPreview), disk[kIni] = settingsFileText(s->app().settings, s->app().currentFile);
    EXPECT_EQ(std::tuple(closed, d.boxes, d.files, s->app().settings.recentFiles[0]),
              std::tuple(id == 0 && r.goesOn, r.boxes, disk, r.savedTo.empty() ? kNext : r.savedTo));
    const auto startIn = [](const std::string& f) { return f.empty() ? std::string("C:\\Data\\") : f.substr(0, f.rfind('\\') + 1); };
    for (const auto& q : d.openRequests) EXPECT_EQ(q.initialFolder, startIn(r.savedTo.empty() ? r.file : r.savedTo));  // the document's
    for (const auto& q : d.saveRequests) EXPECT_EQ(q.initialFolder + q.initialName, startIn(r.file) + (r.file.empty() ? "" : "old"));
    if (closed) return;
    const std::string file = !replaced ? (r.savedTo.empty() ? r.file : r.savedTo) : id == IDM_NEW ? "" : kNext;
    EXPECT_EQ(std::tuple(utf8(s->editor().text()), s->app().currentFile + " shown as " + s->status()[0], s->modified(),
                         s->edit().bookmarks.empty()),
              std::tuple(!replaced ? r.text : id == IDM_NEW ? "" : "next", file + " shown as " + file,
                         r.modified && !r.goesOn, replaced));
}

TEST(DocumentBehaviour, QuestionsAnswersFailuresDropsAndTheRecentList) {
    const std::vector<int> replacing{IDM_NEW, IDM_OPEN, IDM_RECENT1, kDrop}, save{IDM_SAVE}, saveAs{IDM_SAVEAS}, close{0};
    const Row rows[] = {
        {"unchanged: no question", replacing, kOld, false, {}, {}, {}, "", true},
        {"No discards the changes", replacing, kOld, true, {No}, {kDiscard}, {}, "", true},
        {"Cancel (a box that failed to show) keeps them", replacing, kOld, true, {Cancel}, {kDiscard}, {}, "", false},
        {"Yes saves to the document's file first", replacing, kOld, true, {Yes}, {kDiscard}, {}, kOld, true},
        {"Yes on an untitled document saves as", replacing, "", true, {Yes}, {kDiscard}, kNamed, kNamed, true},
        {"Yes when the named file has gone saves as", replacing, kGone, true, {Yes}, {kDiscard}, kNamed, kNamed, true},
        {"Yes, then Save As cancelled", replacing, "", true, {Yes}, {kDiscard}, std::nullopt, "", false},
        {"Yes, the write fails", replacing, kFull, true, {Yes, Ok}, {kDiscard, fileError(kFull, "Disk full")}, {}, "", false},
        {"Save, Yes", save, kOld, true, {Yes}, {kSaveNow}, {}, kOld, true},
        {"Save, No", save, kOld, true, {No}, {kSaveNow}, {}, "", false},
        {"Save, Cancel", save, kOld, true, {Cancel}, {kSaveNow}, {}, "", false},
        {"Save of an unchanged document asks too", save, kOld, false, {Yes}, {kSaveNow}, {}, kOld, true},
        {"Save of an empty document writes an empty file", save, kOld, true, {Yes}, {kSaveNow}, {}, kOld, true, ""},
        {"Save of an untitled document is Save As", save, "", true, {}, {}, kNamed, kNamed, true},
        {"Save As over another file, Yes", saveAs, kOld, true, {Yes}, {kOverwrite}, kTaken, kTaken, true},
        {"Save As over another file, No", saveAs, kOld, true, {No}, {kOverwrite}, kTaken, "", false},
        {"Save As, the write fails", saveAs, kOld, true, {Ok}, {fileError(kLocked, "Permission denied")}, kLocked, "", false},
        {"unchanged closes at once", close, kOld, false, {}, {}, {}, "", true},
        {"unchanged, asked to quit, Yes", close, kOld, false, {Yes}, {kQuit}, {}, "", true},
        {"unchanged, asked to quit, No", close, kOld, false, {No}, {kQuit}, {}, "", false},
        {"unchanged, asked to quit, Cancel", close, kOld, false, {Cancel}, {kQuit}, {}, "", false},
        {"changed, No closes without asking to quit", close, kOld, true, {No}, {kChanged}, {}, "", true},
        {"changed, Cancel", close, kOld, true, {Cancel}, {kChanged}, {}, "", false},
        {"changed, Yes saves", close, kOld, true, {Yes}, {kChanged}, {}, kOld, true},
        {"changed, Yes, write fails", close, kFull, true, {Yes, Ok}, {kChanged, fileError(kFull, "Disk full")}, {}, "", false},
        // Opened, a device would read as an empty document; saved to, it would swallow the text.
        {"a device name", {IDM_OPEN, IDM_SAVEAS}, kOld, false, {Ok},
         {fileError(kDevice, refusalText(NameRefusal::Device))}, kDevice, "", false, "unsaved", kDevice},
    };
    for (const Row& r : rows) for (const int id : r.commands) run(r, id);
    // A load that fails: the file is named only once it has loaded, so a later Save cannot overwrite it.
    using enum FileError;
    const std::pair<FileError, const char*> failedLoads[] = {{BadFileNameOrNumber, "Bad file name or number"},
        {FileNotFound, "File not found"}, {BadFileMode, "Bad file mode"}, {FileIsOpen, "File is open"},
        {DeviceIoError, "Device I/O error"}, {FileAlreadyExists, "File already exists"}, {DiskFull, "Disk full"},
        {BadFileName, "Bad file name"}, {TooManyFiles, "Too many files"}, {DeviceUnavailable, "Device unavailable"},
        {PermissionDenied, "Permission denied"}, {DiskNotReady, "Disk not ready"}, {DiskMediaError, "Disk media error"},
        {PathFileAccessError, "Path/file access error"}, {PathNotFound, "Path not found"},
        {None, "File contains a zero byte and cannot be edited"}};
    for (const auto& [error, text] : failedLoads)
        run({text, {}, kOld, true, {No, Ok}, {kDiscard, fileError(kBad, text)}, {}, "", false, "unsaved", kBad}, IDM_OPEN,
            error);
    const std::string folder = "C:\\Web", missing = "C:\\Web\\missing.html";
    const std::pair<std::vector<std::string>, MessageBoxRequest> drops[] = {
        {{kNext, kOld}, {"Tessaline", droppedNotOpenedText({kOld}), Buttons::Ok, Icon::Information}},
        {{folder}, fileError(folder, "Is a folder and cannot be opened")}, {{missing}, fileError(missing, "File not found")}};
    for (const auto& [paths, box] : drops) {
        auto s = editing({});
        s->desktop().folders.insert(folder), s->desktop().answers = {Ok}, s->drop(paths);
        EXPECT_EQ(std::tuple(s->desktop().boxes, s->app().currentFile), std::tuple(Boxes{box}, paths.size() > 1 ? kNext : ""));
    }
    // The settings file keeps a name the code page holds in it, as earlier versions read it, and the others in UTF-8.
    auto s = editing({});
    EXPECT_TRUE(s->recentItems().empty());
    for (const char* path : {"C:\\1\\a.html", "C:\\2\\b.css", "C:\\3\\c.js", "C:\\4\\δ.php", "C:\\5\\é.txt", "c:\\3\\C.JS"})
        s->desktop().saveResults = {path}, s->command(IDM_SAVEAS);
    const std::vector<std::string> items{"&1  C.JS", "&2  é.txt", "&3  δ.php", "&4  b.css"};
    EXPECT_EQ(s->recentItems(), items);
    std::vector<std::string> opened;
    for (const std::string& item : items) s->use("File>" + item), opened.push_back(s->app().currentFile);
    EXPECT_EQ(opened, (std::vector<std::string>{"c:\\3\\C.JS", "C:\\5\\é.txt", "C:\\4\\δ.php", "C:\\2\\b.css"}));
    EXPECT_TRUE(s->close());
    const std::string& ini = s->desktop().files[kIni];
    EXPECT_TRUE(ini.find("C:\\5\\\xE9.txt") != std::string::npos && ini.find("C:\\4\\δ.php") != std::string::npos) << ini;
}

// A system code page without the bytes above ASCII, as a converter is for bytes its table lacks.
class AsciiOnly final : public CodePage {
    std::u16string decode(std::string_view bytes) const override {
        std::u16string text;
        for (const unsigned char c : bytes) text += c < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD';
        return text;
    }
    std::optional<std::string> encode(std::u16string_view text) const override {
        return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })
                   ? std::optional(std::string(text.begin(), text.end())) : std::nullopt;
    }
} const kAsciiOnly;

// Untyped text comes back byte for byte, even bytes the code page lacks; a character the encoding lacks is not saved.
TEST(DocumentBehaviour, ADocumentIsSavedInTheEncodingItWasReadIn) {
    using namespace std::string_literals;
    const std::string page = "café Ωμέγα 日本語 😀", ansi = "caf\xE9 \x80\x81", longText(120000, 'x');
    const MessageBoxRequest kAsUtf8 = question("Save File", saveAsUtf8Text(kNext), Buttons::YesNoCancel);
    const struct { std::string bytes; const char* keys; std::string saved, shown, read; Boxes boxes = {kSaveNow};
                   const CodePage* system = &windows1252(); Answer utf8 = Answer::Cancel; std::string chosen = {}; } rows[] = {
        {longText, "y", "y" + longText, "", "ANSI"},  // loading ignores the limit, typing not
        {page, "", page, page, "UTF-8"}, {ansi, "", ansi, "café €\u0081", "ANSI"},
        {"\xEF\xBB\xBF" "é", "Ω", "\xEF\xBB\xBF" "Ωé", "", "UTF-8 with BOM"},
        {"<meta charset=utf-8>", "é", "é<meta charset=utf-8>", "", "UTF-8"},
        {"\xFF\xFEh\0"s, "é", "\xFF\xFE\xE9\0h\0"s, "éh", "UTF-16 LE"}, {"\xFE\xFF\0h"s, "", "\xFE\xFF\0h"s, "h", "UTF-16 BE"},
        {"caf\xE9", "Ω", "caf\xE9", "Ωcafé", "ANSI", {kSaveNow, kAsUtf8}},
        {"caf\xE9", "Ω", "Ωcafé", "Ωcafé", "ANSI", {kSaveNow, kAsUtf8}, &windows1252(), Answer::Yes},
        {"\xFF\xFEh"s, "", "\xFF\xFEh"s, "unsaved", "ANSI", {fileError(kNext, "File is not whole UTF-16 text and cannot be edited")}},
        {"caf\xE9", "x", "xcaf\xE9", "xcafé", "ANSI", {kSaveNow}, &kAsciiOnly},
        {"café", "", "\xFE\xFF\0c\0a\0f\0\xE9"s, "café", "UTF-8", {kSaveNow}, &windows1252(), Cancel, "UTF-16 BE"},
        {"caf\xE9", "", "\xEF\xBB\xBF" "café", "café", "ANSI", {kSaveNow}, &windows1252(), Cancel, "UTF-8 with BOM"},
        {"\xFF\xFE\xE9\0\xAC\x20"s, "", "\xE9\x80", "é€", "UTF-16 LE", {kSaveNow}, &windows1252(), Cancel, "ANSI"},
        {"\xFF\xFE\xE9\0"s, "", "\xFF\xFE\xE9\0"s, "é", "UTF-16 LE", {kSaveNow, kAsUtf8}, &kAsciiOnly, Cancel, "ANSI"},
        // Read through Latin-1 (the code page would not give its bytes back); ANSI chosen again is the code page: no é.
        {"caf\xE9", "", "caf\xE9", "café", "ANSI", {kSaveNow, kAsUtf8}, &kAsciiOnly, Cancel, "UTF-8,ANSI"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.shown);
        auto s = editing({});
        FakeDesktop& d = s->desktop();
        const auto shows = [&](std::string n) {
            EXPECT_EQ(std::pair(s->status()[3], s->checkedEncodings()), std::pair(n, std::vector{n})); };
        d.files[kNext] = r.bytes, d.codePage = r.system;
        for (const auto& box : r.boxes) d.answers.push_back(box == kSaveNow ? Yes : box == kAsUtf8 ? r.utf8 : Ok);
        s->command(IDM_OPEN), shows(r.read);
        std::string chosen;  // the last of the names in r.chosen, chosen one after another
        for (std::istringstream names(r.chosen); std::getline(names, chosen, ',');) s->use("File>Encoding>" + chosen), shows(chosen);
        EXPECT_EQ(s->modified(), !r.chosen.empty() && r.chosen != r.read);
        s->keys(r.keys);
        EXPECT_TRUE(r.shown.empty() || utf8(s->editor().text()) == r.shown) << utf8(s->editor().text());
        if (s->app().currentFile == kNext) s->command(IDM_SAVE);
        EXPECT_EQ(std::tuple(d.files[kNext], d.boxes), std::tuple(r.saved, r.boxes));
        shows(r.utf8 == Yes ? "UTF-8" : chosen.empty() ? r.read : chosen);
        s->editor().setModified(false), s->command(IDM_NEW), shows("ANSI");
    }
}

// Another program rewrites the document's file (its new bytes) or deletes it (none); the user then comes back to the
// window (a) or saves (s), answering each box in turn; every box closing activates the window once more.
TEST(DocumentBehaviour, AFileChangedOnDiskIsAskedAboutOnce) {
    const MessageBoxRequest reload = question("Tessaline", changedOnDiskText(kOld, false), Buttons::YesNo), gone{"Tessaline",
        goneFromDiskText(kOld), Buttons::Ok, Icon::Exclamation}, lose = question("Tessaline", changedOnDiskText(kOld, true),
        Buttons::YesNo, Icon::Exclamation), overwrite = question("Save File", overwriteChangedText(kOld), Buttons::YesNo, Icon::Exclamation);
    const std::string same = "on disk", utf16 = std::string("\xFF\xFEh\0", 4), mine = "xon disk";
    const struct { const char* typed; std::optional<std::string> change; std::string steps; std::deque<Answer> answers;
                   Boxes boxes; std::string text; std::optional<std::string> disk; bool modified = false; } rows[] = {
        {"x", same, "asa", {Yes}, {kSaveNow}, mine, mine},  // unchanged; the own save changes nothing
        {"", utf16, "aa", {Yes}, {reload}, "h", utf16},  // reloaded as a load reads it
        {"", "ON DISK", "aas", {No, Yes}, {reload, kSaveNow}, same, same},  // same size, later: No is not asked again
        {"x", "theirs", "a", {Yes}, {lose}, "theirs", "theirs"},
        {"x", "theirs", "aasa", {No, Yes, Yes}, {lose, kSaveNow, overwrite}, mine, mine},
        {"x", "theirs", "asas", {No, Yes, No, Yes, No}, {lose, kSaveNow, overwrite, kSaveNow, overwrite}, mine, "theirs", true},
        {"x", "theirs", "s", {Yes, Yes}, {kSaveNow, overwrite}, mine, mine},  // saved before the window was active
        {"", std::nullopt, "aa", {Ok}, {gone}, same, std::nullopt, true}, {"", std::nullopt, "as", {Ok, Yes}, {gone, kSaveNow}, same, same}};
    for (const auto& r : rows) {
        auto s = editing({});
        FakeDesktop& d = s->desktop();
        d.openResults = {kOld}, s->command(IDM_OPEN), s->keys(r.typed);
        if (!r.change) d.files.erase(kOld);
        else if (*r.change != same) d.files[kOld] = *r.change, d.stamps[kOld] = {7, r.change->size()};
        d.answers = r.answers, d.whileBoxOpen = [&] { s->activate(); };
        for (const char step : r.steps) step == 'a' ? s->activate() : s->command(IDM_SAVE);
        d.whileBoxOpen = nullptr;
        EXPECT_EQ(std::tuple(d.boxes, utf8(s->editor().text()), s->modified(), d.files.count(kOld) ? std::optional(d.files[kOld])
            : std::nullopt), std::tuple(r.boxes, r.text, r.modified, r.disk)) << r.typed << r.change.value_or("gone") << r.steps;
    }
}

// The fake printer: 720 dpi Letter, quarter-inch strips, so the text starts at x 360, a 10-point row is 100 pixels high
// and 90 cells wide, the page number stands at x 5220; a printable height of 800 leaves rows 4 to 6 for the text.
TEST(PrintBehaviour, FilePrintPrintsTheDocumentOrTheLinesOfTheSelectionWithAHeaderOnEveryPage) {
    const std::string x(196, 'x'), indented = "    " + x;  // 200 characters: 90, then the indentation and 86, 4 and 24
    const struct { const char* name; std::string marked, file; std::vector<Texts> pages; bool selectionChosen;
                   int points; } rows[] = {
        {"the whole document", "a\r\n  b\r\nc|", "C:\\Web\\index.html",
         {{"1 index.html", "1@5220 Page 1", "4 a", "5   b", "6 c"}}},
        {"from the middle of line 3 to the start of line 6", "1\r\n2\r\n3[3\r\n4\r\n5\r\n]6\r\n7", "C:\\a.htm",
         {{"1 a.htm", "1@5220 Page 1", "4 33", "5 4", "6 5"}}, true},
        {"inside one line", "1\r\n2[2]2\r\n3", "D:page.php", {{"1 page.php", "1@5220 Page 1", "4 222"}}, true},
        {"an empty untitled document", "|", "", {{"1@5220 Page 1"}}},
        {"a long line at the foot of a page", "l1\r\nl2\r\n" + indented + "|", "C:\\page.html",
         {{"1 page.html", "1@5220 Page 1", "4 l1", "5 l2", "6 " + indented.substr(0, 90)},
          {"1 page.html", "1@5220 Page 2", "4     " + x.substr(86, 86), "5     " + x.substr(172)}}},
        {"in 12 points: 120 pixels high, 72 wide, 75 cells, one row a page", std::string(100, 'w') + "|", "",
         {{"1@5220 Page 1", "4 " + std::string(75, 'w')}, {"1@5220 Page 2", "4 " + std::string(25, 'w')}}, false, 12},
        {"any script: the name in Greek, and no row ends inside a surrogate pair", std::string(89, 'w') + "😀x|",
         "C:\\Σελίδα.html", {{"1 Σελίδα.html", "1@5220 Page 1", "4 " + std::string(89, 'w'), "5 😀x"}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->app().currentFile = r.file, s->app().printFontSize = r.points, s->printers().caps.printableHeight = 800;
        s->set(r.marked), s->command(IDM_PRINT);
        FakePrinters& p = s->printers();
        EXPECT_EQ(p.pages(), r.pages);
        EXPECT_EQ(p.dialogs, (std::vector{PrintDialogRequest{true, r.selectionChosen, true}}));
        EXPECT_EQ(std::tuple(p.events.front(), p.events.back(), p.devicesAlive, s->marked(), s->desktop().boxes.size()),
                  std::tuple("document Print Job", "end document", 0, r.marked, 0u));
    }
}

const std::string kExe = "C:\\B\\b.exe", kX86 = "C:\\Program Files (x86)\\", kPf = "C:\\Program Files\\",
                  kIe = "C:\\IE\\ie.exe ", kPf64 = "C:\\Program Files";  // as the system names it to a 64-bit program

using S = DialogStep;
S tick(int id, bool on = true) { return {on ? S::Tick : S::Untick, id}; }
S pick(int id, std::string entry) { return {S::Pick, id, std::move(entry)}; }
const S kApply{S::Click, 416};

// Enter and Esc must leave the dialog open; Find Browser starts in the slot's folder, else the system's Program Files.
struct Change { const char* name; DialogSteps steps; std::function<void(App&)> change; bool laidOut = false;
    std::string slots, folder; bool asks = false; std::optional<std::string> picked; std::string startIn; };

TEST(PreferencesBehaviour, ApplyChangesTheCloseBoxNot) {
    const Change rows[] = {
        {"nothing touched", {kApply}, {}},
        {"all changed, then Enter, Esc and the close box", {tick(401, false), tick(402, false), tick(403), tick(405),
            pick(411, "9"), pick(412, "14"), pick(413, "8"), pick(414, "LightBlue"), pick(415, "Chrome"), {S::Enter},
            {S::Esc}, {S::CloseBox}}, {}, false, "", kX86},
        {"9 tab spaces", {pick(411, "9"), kApply}, [](App& a) { a.settings.tabSpaces = 9; }},
        {"font size, the document unchanged", {pick(412, "14"), kApply}, [](App& a) { a.settings.fontSize = 14; }, true},
        {"print font size", {pick(413, "12"), kApply}, [](App& a) { a.printFontSize = 12; }},
        {"LightYellow", {pick(414, "LightYellow"), kApply}, [](App& a) { a.settings.backgroundColor = 0xA0FFFF; }},
        {"line numbers off", {tick(401, false), kApply}, [](App& a) { a.settings.showLineNumbers = false; }, true},
        {"the other four boxes", {tick(402, false), tick(403), tick(404, false), tick(405), kApply}, [](App& a) {
            Settings& s = a.settings;
            s.useLastSize = false, s.loadLastFile = true, s.askToQuit = false, s.autoCompleteBrackets = true; }},
        {"a browser that is there", {pick(415, "Opera"), kApply}, [](App& a) { a.settings.browserIndex = 3; }, false,
            kExe + " ", kX86},
        {"none: found from Program Files", {pick(415, "Firefox"), kApply}, [](App& a) {
            a.settings.browserPaths[1] = kExe + " ", a.settings.browserIndex = 2; }, false, "", kX86, true, kExe, kPf64},
        {"gone with its folder", {pick(415, "Opera"), kApply}, {}, false, "C:\\Gone\\b.exe ", kX86, true, {}, kPf64},
        {"a folder is none; slot 1 takes the last command", {pick(415, "Chrome"), kApply}, [](App& a) {
            a.settings.browserPaths[0] = kIe, a.settings.browserIndex = 1; }, false, "C:\\B\\ ", kPf, true, {}, "C:\\B\\"},
        {"a wildcard is none; no folder", {pick(415, "SlimBrowser"), kApply}, {}, false, "C:\\B\\*.exe ", "", true, {},
            "C:\\B\\"},
    };
    for (const Change& r : rows) {
        SCOPED_TRACE(r.name);
        auto s = makeEditorSubject();
        s->set("one\r\ntwo|"), s->bookmark({1});  // the gutter shows ">1", "2"
        App& app = s->app();
        Settings& set = app.settings;
        set.showLineNumbers = set.useLastSize = set.askToQuit = true, set.loadLastFile = set.autoCompleteBrackets = false;
        set.browserPaths.fill(r.slots), app.browserCommand = kIe;
        // b.exe, and "*.exe" as a desktop matching wildcards would find it
        s->desktop().files = {{kExe, ""}, {"C:\\B\\*.exe", ""}}, s->desktop().folders = {"C:\\B\\", r.folder};
        App want = app;
        if (r.change) r.change(want);
        s->desktop().openResults = {r.picked};
        EXPECT_EQ(s->dialog(IDM_PREFERENCES, r.steps), Texts{"Tessaline Options"});
        EXPECT_EQ(std::tuple(settingsFileText(set, ""), app.printFontSize, s->laidOut(), s->gutterRows(),
                             s->editorBackground(), s->modified()),
                  std::tuple(settingsFileText(want.settings, ""), want.printFontSize, r.laidOut,
                             want.settings.showLineNumbers ? Texts{">1", "2"} : Texts{">", ""},
                             want.settings.backgroundColor, false));
        const FileDialogRequest find{.title = "Find Browser", .filters = {{"Exe Files (*.exe)", "*.exe"},
                                     {"All Files (*.*)", "*.*"}}, .initialFolder = r.startIn, .fileMustExist = true,
                                     .hideReadOnly = false, .keepCurrentFolder = false};
        EXPECT_EQ(s->desktop().openRequests, r.asks ? std::vector{find} : std::vector<FileDialogRequest>{});
    }
}

// The base element lets the preview find the page's links; a fallback found (both folders exist) is kept in slot 1.
TEST(BrowserBehaviour, PreviewInTheChosenOrAFallback) {
    const std::string x86 = "C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe", page = "C:\\My Site\\page.html",
                      pf = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    const auto slot = [](int i) { return "C:\\Web Tools\\browser" + std::to_string(i) + ".exe"; };
    const MessageBoxRequest select{.text = "Select a browser from Preferences", .icon = Icon::Information},
        failed{.title = "Tessaline", .text = "The browser could not be started:\r\n" + slot(2) +
               "\r\nSelect another one from Preferences.", .icon = Icon::Error};
    const struct { int index, route; std::set<std::string> programs; std::string started; int after; bool fails = false;
    } rows[] = {
        {4, IDM_RUNBROWSER, {slot(4), x86, pf}, slot(4), 4}, {4, IDT_RUNBROWSER, {slot(4)}, slot(4), 4},
        {4, 0, {x86, pf}, x86, 1}, {0, IDT_RUNBROWSER, {slot(1), pf}, pf, 1}, {0, 0, {}, "", 0},
        {2, IDM_RUNBROWSER, {slot(2)}, slot(2), 2, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.started);
        auto s = makeEditorSubject();
        FakeDesktop& d = s->desktop();
        Settings& set = s->app().settings;
        s->app().currentFile = page, s->set("<p>hi|"), s->editor().setModified(true);
        for (int i = 1; i <= 5; ++i) set.browserPaths[static_cast<std::size_t>(i - 1)] = slot(i) + " ";
        set.browserIndex = r.index, d.folders = {"C:\\Program Files (x86)", "C:\\Program Files"};
        d.answers = {Answer::Ok}, d.processesFail = r.fails;
        for (const std::string& program : r.programs) d.files[program] = "";
        r.route ? s->command(r.route) : s->keys("{C-R}");
        EXPECT_EQ(std::tuple(d.files[kPreview], d.files.count(page), s->modified(), s->recentItems()[0]),
                  std::tuple("<base href=\"file:///C:/My%20Site/\"><p>hi", 0u, true, "&1  page.html"));
        const std::string line = "\"" + r.started + "\" \"" + kPreview + "\"";
        const auto boxes = r.started.empty() ? std::vector{select} : r.fails ? std::vector{failed} : Boxes{};
        EXPECT_EQ(std::tuple(d.processes, d.boxes, set.browserIndex, set.browserPaths[0], set.browserPaths[3]),
                  std::tuple(r.started.empty() ? std::vector<std::string>{} : std::vector{line}, boxes, r.after,
                             r.after == 1 ? r.started + " " : slot(1) + " ", slot(4) + " "));
    }
    // In the document's encoding, UTF-8 with its mark; a text the code page cannot store goes out in UTF-8 all the same.
    const std::tuple<Encoding, const char*, std::string> encoded[] = {
        {Encoding::Utf8, "é", "\xEF\xBB\xBF" "é"}, {Encoding::Ansi, "é", "\xE9"}, {Encoding::Ansi, "Ω", "\xEF\xBB\xBF" "Ω"}};
    for (const auto& [encoding, text, bytes] : encoded) {
        auto e = makeEditorSubject();
        e->set(text), e->app().encoding = encoding, e->desktop().answers = {Answer::Ok}, e->command(IDM_RUNBROWSER);
        EXPECT_EQ(e->desktop().files[kPreview], bytes) << text;
    }
    // A preview that cannot be written is named, and no browser shows an older one.
    auto s = makeEditorSubject();
    s->desktop().writeErrors[kPreview] = FileError::DiskFull, s->desktop().answers = {Answer::Ok};
    s->desktop().files[slot(1)] = "", s->app().settings.browserIndex = 1, s->command(IDM_RUNBROWSER);
    EXPECT_EQ(std::tuple(s->desktop().boxes, s->desktop().processes),
              std::tuple(Boxes{fileError(kPreview, "Disk full")}, std::vector<std::string>{}));
}

}  // namespace
}  // namespace tess::test
