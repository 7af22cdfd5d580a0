// What only the real system shows: its clipboard, boxes, file dialogs, files, handles, a printer whose port is a file.
#include "DialogPlayer.h"
#include "document/Documents.h"
#include "print/win32/GdiPrinter.h"

#include <winspool.h>

#include <thread>

namespace tess::win32 {
namespace {

using namespace tess::test;
using Files = std::vector<std::string>;

bool kernelOpen(HANDLE h) { DWORD flags = 0; return ::GetHandleInformation(h, &flags) != 0; }
HANDLE newEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
HWND newPopup() { return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr); }

template <class Owner>
bool ownedOnce(auto handle, auto alive) {
    bool held = false;
    { Owner owner(handle); held = owner.get() == handle && alive(handle); }
    return held && !alive(handle);
}

TEST(OwnersAndGuards, EachReleasesWhatItHoldsWhenItGoes) {
    EXPECT_TRUE(ownedOnce<UniqueBrush>(::CreateSolidBrush(RGB(1, 2, 3)), ::GetObjectType));
    EXPECT_TRUE(ownedOnce<UniqueFont>(::CreateFontA(9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""), ::GetObjectType));
    EXPECT_TRUE(ownedOnce<UniqueMenu>(::CreatePopupMenu(), ::IsMenu));
    EXPECT_TRUE(ownedOnce<UniqueHwnd>(newPopup(), ::IsWindow));
    EXPECT_TRUE(ownedOnce<UniqueGlobal>(::GlobalAlloc(GMEM_MOVEABLE, 8), ::GlobalSize));
    EXPECT_FALSE(UniqueFile(::CreateFileA("Z:\\f", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 8));
    EXPECT_TRUE(GlobalLockGuard(memory.get()).get() && (::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT) == 1);
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
    // Back in the cache (Wine's ReleaseDC ignores the window: only the DC shows).
    UniqueHwnd window(newPopup());
    const HDC held = WindowDc(window.get()).get(), again = ::GetDC(window.get());
    EXPECT_TRUE(::ReleaseDC(window.get(), again) && held && again == held);
    // The last holder closes once: the system hands a freed slot out again, so a second close would hit a newer handle.
    HANDLE first = newEvent(), second = newEvent();
    UniqueKernelHandle a(first), c(second), b(std::move(a));
    c = std::move(b);  // closes second
    c = std::move(*&c);
    EXPECT_TRUE(!a && !b && kernelOpen(first) && !kernelOpen(second));
    c.reset();
    UniqueKernelHandle other(newEvent());
    a.reset(), b.reset(), c.reset();
    EXPECT_TRUE(kernelOpen(other.get()));
    EXPECT_TRUE(::CloseHandle(UniqueKernelHandle(newEvent()).release()));  // still open, and ours
}

struct RealDesktop : testing::Test {
    std::string_view save(std::string_view bytes) { return fileErrorText(desktop.writeFileSafely(page, bytes)); }

    TempFolder folder;
    const std::string page = folder / "\u03A9mega.html";  // written under that name, not as its look-alike "Omega"
    UniqueHwnd owner{newPopup()};
    DesktopWin desktop{owner.get()};
};

TEST_F(RealDesktop, BytesComeBackExactlyAndASaveKeepsAttributes) {
    std::string everyByte(256, '\0');  // 1 to 255, then 0
    for (std::size_t b = 0; b < 256; ++b) everyByte[b] = static_cast<char>(b + 1);
    for (const std::string& bytes : {everyByte, std::string("a\rb\nc\r\nd\n\re\r\r\n\0f", 16), std::string()}) {
        for (int time = 0; time < 2; ++time)  // the page is new the very first time
            EXPECT_TRUE(save(bytes) == "" && readBytes(page) == bytes && desktop.readFile(page).bytes == bytes) << time;
        const std::u16string text = latin1().decode(bytes) + u"\u03A9\U0001F600";
        desktop.setClipboardText(text);
        EXPECT_TRUE(desktop.clipboardText() == text.substr(0, text.find(u'\0'))) << bytes.size();
    }
    // Held open for a moment by another thread, as by another program: waited for, not given up on.
    const UniqueKernelHandle held(newEvent());
    std::thread other([&] { ::OpenClipboard(nullptr), ::SetEvent(held.get()), ::Sleep(250), ::CloseClipboard(); });
    ::WaitForSingleObject(held.get(), INFINITE);
    desktop.setClipboardText(u"after a wait");
    other.join();
    EXPECT_EQ(desktop.clipboardText(), u"after a wait");
    // A save over a page: what the user is told, what the file holds and shows (Wine always shows archive).
    constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN, kShown = kHidden | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    const struct { DWORD before; std::optional<SafeWriteStep> failing; DWORD error; std::string_view text; } cases[] = {
        {kHidden | FILE_ATTRIBUTE_ARCHIVE, {}, 0, ""},
        {kHidden | FILE_ATTRIBUTE_SYSTEM, {}, 0, ""},
        {FILE_ATTRIBUTE_READONLY, {}, 0, "Permission denied"},
        {kHidden, SafeWriteStep::CreateTemp, ERROR_ACCESS_DENIED, "Permission denied"},
        {kHidden, SafeWriteStep::Write, ERROR_DISK_FULL, "Disk full"},
        {kHidden, SafeWriteStep::Replace, ERROR_UNABLE_TO_REMOVE_REPLACED, "Permission denied"},
        // The new file is then moved in only where the name is free: here it is not.
        {kHidden, SafeWriteStep::Replace, ERROR_UNABLE_TO_MOVE_REPLACEMENT, "Path/file access error"}};
    const std::wstring path = wide(page);
    for (const auto& c : cases) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(writeBytes(page, "old") && ::SetFileAttributesW(path.c_str(), c.before));
        desktop.failSafeWriteStep(c.failing, c.error);
        EXPECT_EQ(save("new"), c.text);
        EXPECT_EQ(std::tuple(::GetFileAttributesW(path.c_str()) & kShown, readBytes(page), folder.files()),
                  std::tuple(c.before & kShown, c.text.empty() ? "new" : "old", Files{"\u03A9mega.html"}));
    }
}

TEST_F(RealDesktop, AMessageBoxAnswersThePressedButton) {
    const struct { Buttons buttons; int pressed; Answer answer; std::vector<int> shown; } cases[] = {
        {Buttons::Ok, IDOK, Answer::Ok, {IDOK}},
        {Buttons::OkCancel, IDCANCEL, Answer::Cancel, {IDOK, IDCANCEL}},
        {Buttons::YesNo, IDYES, Answer::Yes, {IDYES, IDNO}},
        {Buttons::YesNoCancel, IDNO, Answer::No, {IDCANCEL, IDYES, IDNO}},
        {Buttons::Ok, IDOK, Answer::Cancel, {}}};  // owned by the main window, now gone: never shown
    for (const auto& c : cases) {
        if (c.shown.empty()) ::DestroyWindow(owner.release());
        std::vector<int> shown;
        DialogPlayer player({{DialogStep::Click, c.pressed}});
        player.inspect = [&](HWND box) {
            for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) if (::IsWindowVisible(::GetDlgItem(box, id))) shown.push_back(id);
        };
        EXPECT_EQ(desktop.messageBox({.title = "T", .buttons = c.buttons}), c.answer);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(RealDesktop, FileFailuresAndSharedReads) {
    const auto held = [&](const char* name, DWORD access, DWORD sharing) {
        writeBytes(folder / name, "old");
        return UniqueFile(::CreateFileA((folder / name).c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    UniqueFile locker = held("locked", GENERIC_READ | GENERIC_WRITE, 0),  // by a program that shares nothing
               server = held("served", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);  // or as a web server
    const struct { std::string path; std::string_view read, write; } cases[] = {  // write "": not tried
        {folder / "none.html", "File not found", ""},
        {folder / "none\\page.html", "Path not found", "Path not found"},
        {folder / "locked", "File is open", "File is open"},
        {folder / "served", "", "File is open"}};
    for (const auto& c : cases) {
        const ReadResult read = desktop.readFile(c.path);
        EXPECT_TRUE(fileErrorText(read.error) == c.read && read.bytes == (c.read.empty() ? "old" : "")) << c.path;
        if (!c.write.empty()) { EXPECT_EQ(fileErrorText(desktop.writeFileSafely(c.path, "new")), c.write) << c.path; }
    }
    locker.reset(), server.reset();
    EXPECT_EQ(folder.files(), (Files{"locked", "served"}));
    for (const auto& file : folder.files()) EXPECT_EQ(readBytes(folder / file.c_str()), "old") << file;
}

// Open finds a name in the start folder; Save proposes its name, adds the extension; neither moves the current folder.
TEST_F(RealDesktop, TheRealOpenAndSaveDialogs) {
    ASSERT_TRUE(writeBytes(folder / "other.css", "p {}"));
    Files filters, seen;
    for (const FileFilter& filter : documentFilters()) filters.push_back(filter.description);
    FileDialogRequest request{.title = "Load", .filters = documentFilters(), .initialFolder = folder.path(),
                              .defaultExtension = "html", .fileMustExist = true};
    const auto before = std::filesystem::current_path();
    // A name that does not exist keeps the dialog open after the system's box says so.
    const auto name = [](const char* typed) { return DialogStep{DialogStep::Type, cmb13, typed}; };
    const DialogStep ok{DialogStep::Click, IDOK};
    DialogPlayer player({name("missing.html"), ok, ok, name("other.css"), ok, {DialogStep::Click, IDCANCEL},
                         name("\u03A9mega"), ok});
    // The name each proposed; "!" where it listed other types or a read-only box, as the system's box does.
    player.inspect = [&](HWND dialog) {
        Files listed(::SendDlgItemMessageA(dialog, cmb1, CB_GETCOUNT, 0, 0), std::string(255, '\0'));
        for (WPARAM i = 0; auto& item : listed)
            item.resize(::SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, i++, reinterpret_cast<LPARAM>(item.data())));
        const bool usual = listed == filters && !::IsWindowVisible(::GetDlgItem(dialog, chx1));
        seen.push_back(windowText(dialog) + ":" + windowText(::GetDlgItem(dialog, cmb13)) + (usual ? "" : "!"));
    };
    EXPECT_EQ(desktop.openFileDialog(request), folder / "other.css");
    EXPECT_EQ(desktop.openFileDialog(request), std::nullopt);
    request.title = "Store", request.initialName = "other", request.fileMustExist = false;
    EXPECT_EQ(desktop.saveFileDialog(request), page);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(std::pair(seen, filters.size() == 5),
              std::pair(Files{"Load:", ":!", "Load:missing.html", "Load:", "Store:other"}, true));
}

char* text(const char* s) { return const_cast<char*>(s); }

// Wine's PostScript driver and the PPD it carries, for this program's architecture, made the default printer.
bool installFilePrinter(const std::string& port) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    const HMODULE spooler = ::LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC ppd = spooler ? ::FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    const auto* bytes = ppd ? static_cast<const char*>(::LockResource(::LoadResource(spooler, ppd))) : nullptr;
    if (!bytes ||
        !::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), MAX_PATH, &needed) ||
        !writeBytes(std::string(folder) + "\\generic.ppd", {bytes, ::SizeofResource(spooler, ppd)}))
        return false;
    DRIVER_INFO_3A driver{.cVersion = 3, .pName = text("Wine PostScript Driver"), .pEnvironment = text(sizeof(void*) == 8 ? "Windows x64" : "Windows NT x86"),
                          .pDriverPath = text("wineps.drv"), .pDataFile = text("generic.ppd"),
                          .pConfigFile = text("wineps.drv")};
    ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
    PRINTER_INFO_2A info{.pPrinterName = text("Tessaline File Printer"), .pPortName = text(port.c_str()),
                         .pDriverName = driver.pName, .pPrintProcessor = text("WinPrint"), .pDatatype = text("RAW")};
    HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!printer && ::OpenPrinterA(info.pPrinterName, &printer, &access))  // left by an earlier run: its port again
        ::SetPrinterA(printer, 2, reinterpret_cast<BYTE*>(&info), 0);
    return printer && ::ClosePrinter(printer) && ::SetDefaultPrinterA(info.pPrinterName);
}

// Without spaces (some come out as U+00A0). Wine starts the host's ghostscript but cannot wait: it leaves a mark.
std::string printedText(const std::string& ps) {
    const std::string out = std::filesystem::absolute("print.txt").string(), done = out + ".done";
    const auto unix = [](std::string path) { return std::ranges::replace(path.erase(0, 2), '\\', '/'), path; };
    std::string command = "/bin/sh -c \"gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile=" + unix(out) + " " +
                          unix(ps) + "; touch " + unix(done) + "\"";
    ::DeleteFileA(out.c_str()), ::DeleteFileA(done.c_str());
    STARTUPINFOA start{.cb = sizeof start};
    PROCESS_INFORMATION gs{};
    EXPECT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &gs));
    ::CloseHandle(gs.hThread), ::CloseHandle(gs.hProcess);
    for (int tenths = 0; tenths < 600 && ::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++tenths)
        ::Sleep(100);
    std::string text = readBytes(out).value_or("");
    std::erase_if(text, [](char c) { return std::string_view(" \r\n\xC2\xA0").find(c) != std::string_view::npos; });
    return text;
}

// The name and the number on both pages, every line, a long line whole over its rows. Cancelled, nothing.
TEST(RealPrinting, TheDocumentComesOutWholeOnAFilePrinter) {
    if (::GetFileAttributesA("Z:\\usr\\bin\\gs") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no ghostscript beside Wine";
    const std::string ps = std::filesystem::absolute("print.ps").string();
    ASSERT_TRUE(installFilePrinter(ps));
    ::DeleteFileA(ps.c_str());
    TestWindow<> shell;
    shell.window.printers = &systemPrinters();
    std::string document, lines, run;
    for (int n = 1; n <= 100; ++n) document += "line" + std::to_string(n) + "\r\n", lines += "line" + std::to_string(n);
    for (int n = 0; n < 30; ++n) run += "<td>" + std::to_string(n % 10) + "</td>";
    shell.window.editor().setText(utf16(document + "    " + run));
    shell.app().currentFile = "C:\\Web\\index.html";
    {  // Cancel in the print dialog prints nothing and says nothing.
        const DialogPlayer cancel({{DialogStep::Click, IDCANCEL}});
        shell.command(IDT_PRINT);
        EXPECT_EQ(cancel.seen().size(), 1u);
        EXPECT_EQ(::GetFileAttributesA(ps.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    const DialogPlayer answers({{DialogStep::Click, IDOK}});
    shell.command(IDT_PRINT);
    std::string text = printedText(ps);
    const std::size_t second = text.find("index.htmlPage2");  // where page 1 is full
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(std::tuple(text.erase(second, 15), answers.seen().size(), shell.desktop.boxes.size()),
              std::tuple("index.htmlPage1" + lines + run, 1u, 0u));
}

}  // namespace
}  // namespace tess::win32
