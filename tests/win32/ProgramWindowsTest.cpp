#include "DialogPlayer.h"
#include "EditorSubject.h"
#include "app/Layout.h"
#include "document/DiskChanges.h"

#include <windowsx.h>

namespace tess::test {
namespace {

using namespace win32;
using Shell = TestWindow<RealClipboardDesktop>;
RECT clientRect(HWND hwnd) { RECT r{}; ::GetClientRect(hwnd, &r); return r; }
RECT windowRect(HWND hwnd) { RECT r{}; ::GetWindowRect(hwnd, &r); return r; }
LONG chrome(HWND hwnd) { return windowRect(hwnd).bottom - windowRect(hwnd).top - clientRect(hwnd).bottom; }
LOGFONTA fontOf(HWND hwnd) { LOGFONTA f{}; ::GetObjectA(GetWindowFont(hwnd), sizeof f, &f); return f; }
RECT toDpi(HWND hwnd, int dpi, RECT to) {
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&to));
    return windowRect(hwnd);
}
std::string besideTests(const std::string& name) {
    char exe[MAX_PATH] = {};
    const std::string path(exe, ::GetModuleFileNameA(nullptr, exe, MAX_PATH));
    return path.substr(0, path.rfind('\\') + 1) + name;
}
std::string pixelsOf(HDC dc, int width, int height) {
    std::string pixels;
    for (int p = 0; p < width * height; ++p) pixels += std::to_string(::GetPixel(dc, p % width, p / width)) + ",";
    return pixels;
}
std::string statusText(HWND bar, int part) {
    char text[512] = {};
    ::SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

// The toolbar's twelve pictures, each its own; resized, the editor snaps to the nearest whole line, the gutter follows.
TEST(MainWindow, ItsToolbarLayoutAndDrawingAtAnyDpi) {
    Shell shell("", "", {{"C:\\long.html", numberedLines(200)}});
    const HWND main = shell.hwnd(), toolbar = ::GetDlgItem(main, IDC_TOOLBAR), editor = shell.window.editorHwnd();
    const win32::WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY), size = toolbarIconSize(dpi);
    // A first run writes the window as it stands, its menu bar in, the size at 96 dpi.
    Settings first;
    RECT place = windowRect(main);
    readSettingsFile(shell.desktop.files[kTestSettingsFile], first);
    EXPECT_EQ(std::tuple(shell.app().dpi, first.windowX, first.windowY, first.clientWidth, first.clientHeight),
              std::tuple(dpi, place.left, place.top, unscaled(clientRect(main).right, dpi),
                         unscaled(clientRect(main).bottom, dpi)));
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    std::set<std::string> pictures;
    const win32::UniqueDc memory(::CreateCompatibleDC(screen.get()));
    const win32::UniqueGdiObject canvas(::CreateCompatibleBitmap(screen.get(), size, size));
    ::SelectObject(memory.get(), canvas.get());
    for (int i = 0; i < ::ImageList_GetImageCount(images); ++i) {
        ::PatBlt(memory.get(), 0, 0, size, size, WHITENESS);
        ::ImageList_Draw(images, i, memory.get(), 0, 0, ILD_NORMAL);
        const std::string pixels = pixelsOf(memory.get(), size, size);
        if (pixels.find("16777215") != std::string::npos) pictures.insert(pixels);  // white shows through somewhere
    }
    EXPECT_EQ(pictures.size(), 12u);

    // An opened page is drawn at once as a full redraw draws it, and kept in place on a monitor of another DPI.
    const auto drawn = [&](UINT more) {
        ::RedrawWindow(editor, nullptr, nullptr, RDW_UPDATENOW | more);
        const RECT r = windowRect(editor);
        const HDC dc = ::GetWindowDC(editor);  // frame and scroll bars included
        const std::string pixels = pixelsOf(dc, r.right - r.left, r.bottom - r.top);
        ::ReleaseDC(editor, dc);
        return pixels;
    };
    ::ShowWindow(main, SW_SHOW);
    const auto empty = drawn(0);
    ::SetFocus(editor);
    shell.desktop.openResults = {"C:\\long.html"}, shell.command(IDM_OPEN);
    const auto opened = drawn(0);
    SCROLLINFO bar{.cbSize = sizeof bar, .fMask = SIF_RANGE | SIF_POS};
    ::GetScrollInfo(editor, SB_VERT, &bar);
    EXPECT_EQ(std::tuple(::IsWindowVisible(editor), ::GetFocus() == editor, bar.nMax, bar.nPos, opened != empty),
              std::tuple(TRUE, true, 199, 0, true));
    EXPECT_TRUE(opened == drawn(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME));

    ::SendMessageA(editor, EM_SETSEL, 1500, 1530), ::SendMessageA(editor, EM_LINESCROLL, 0, 40);
    const LRESULT top = ::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    for (const int moved : {dpi == 96 ? 192 : 96, dpi}) {  // the other monitor's window must fit on this screen
        const RECT suggested{10, 20, 10 + scaled(600, moved), 20 + scaled(500, moved)};
        const RECT to = toDpi(main, moved, suggested);
        int picture = 0;
        ::ImageList_GetIconSize(HIMAGELIST(::SendDlgItemMessageA(main, IDC_TOOLBAR, TB_GETIMAGELIST, 0, 0)), &picture, &picture);
        DWORD start = 0, end = 0;
        const LOGFONTA font = fontOf(editor);
        ::SendMessageA(editor, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(std::tuple(to.right, picture, clientRect(shell.window.gutterHwnd()).right,
                             std::string(font.lfFaceName), font.lfHeight,
                             statusText(::GetDlgItem(main, IDC_STATUSBAR), 3), start, end,
                             ::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)),
                  std::tuple(suggested.right, toolbarIconSize(moved), LONG(scaled(62, moved)), "courier new",
                             -::MulDiv(10, moved, 72), "ANSI", DWORD{1500}, DWORD{1530}, top));
    }

    const LONG none = chrome(main) + chrome(editor) + scaled(62, dpi);  // leaves the editor no room: both frames, the bars
    const int line = shell.program.context().edit.font.lineHeight;
    for (const auto& [lines, numbers, editorX, gutterWidth] : {std::tuple{10.4, 1, 64, 62}, {10.6, 0, 12, 10}}) {
        shell.app().settings.showLineNumbers = numbers;
        ::MoveWindow(main, 0, 0, scaled(640, dpi), none + LONG(lines * line), FALSE);
        ::GetWindowRect(editor, &place), ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 1);
        const RECT gutter = clientRect(shell.window.gutterHwnd());
        EXPECT_EQ(std::tuple(clientRect(editor).bottom, gutter.bottom, gutter.right, place.left),
                  std::tuple(LONG(lines + 0.5) * line + scaled(2, dpi), LONG(lines + 0.5) * line + scaled(2, dpi),
                             LONG(scaled(gutterWidth, dpi)), LONG(scaled(editorX, dpi))));
        std::vector<RECT> taken;
        for (HWND c = ::GetWindow(main, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            RECT overlap{}, r = windowRect(c);
            for (const RECT& other : taken) EXPECT_FALSE(::IntersectRect(&overlap, &r, &other)) << ::GetDlgCtrlID(c);
            taken.push_back(r);
        }
    }
}

// The saved place and size only when asked, held to the screen; the command line's document, else the most recent.
TEST(MainWindow, StartsInPlaceWithItsDocument) {
    const std::map<std::string, std::string> files{{"C:\\web\\a b.html", "<p>"}, {"C:\\recent.html", "recent"}};
    const struct { int x, y, width, height; bool useLastSize; int colour; const char *commandLine, *seen; } rows[] = {
        {10, 10, 900, 700, 0, 0xFFFFFF, "\"C:\\web\\a b.html\"", "500x495 centred on ffffff: <p> in C:\\web\\a b.html"},
        {30, 40, 700, 500, 1, 0xE0FFFF, "", "700x500 at 30,40 on e0ffff: recent in C:\\recent.html"},
        {-8, 40, 120, 150, 1, 0xFFFFFF, "C:\\gone.html", "300x200 at 0,40 on ffffff:  in , asked C:\\gone.html\r\nFile not found   "},
        {2000, 40, 700, 500, 1, 0xFFFFFF, "", "700x500 at the right edge,40 on ffffff: recent in C:\\recent.html"}};
    for (const auto& r : rows) {
        Shell shell(settingsFileText({.windowX = r.x, .windowY = r.y, .clientWidth = r.width, .clientHeight = r.height,
                                      .recentCount = 1, .useLastSize = r.useLastSize, .backgroundColor = r.colour,
                                      .recentFiles = {"C:\\recent.html"}}, ""), r.commandLine, files, {Answer::Ok});
        shell.window.editor().setModified(true), shell.pump();  // the message start-up posted leaves it unchanged
        const HWND editor = shell.window.editorHwnd();
        const win32::WindowDc dc(editor);
        ::SendMessageA(shell.hwnd(), WM_CTLCOLOREDIT, WPARAM(dc.get()), LPARAM(editor));
        RECT w{}, a{}, c = clientRect(shell.hwnd());  // the window, the work area, the client area
        ::GetWindowRect(shell.hwnd(), &w), ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &a, 0);
        const LONG off = std::abs(w.left + w.right - a.left - a.right) + std::abs(w.top + w.bottom - a.top - a.bottom);
        const std::string x = w.right == a.right ? "the right edge" : std::to_string(w.left);
        const std::string at = off < 3 ? "centred" : "at " + x + "," + std::to_string(w.top);
        char seen[200];
        std::snprintf(seen, sizeof seen, "%ldx%ld %s on %06lx: %s in %s%s%s", c.right, c.bottom, at.c_str(),
                      ::GetBkColor(dc.get()), windowText(editor).c_str(), shell.app().currentFile.c_str(),
                      shell.desktop.boxes.empty() ? "" : (", asked " + shell.desktop.boxes[0].text).c_str(),
                      shell.window.editor().modified() ? ", changed" : "");
        EXPECT_STREQ(seen, r.seen);
    }
}

// SC_CLOSE is the close box and Alt+F4, WM_CLOSE a close from another program.
TEST(MainWindow, EveryCloseAsksOnceAndKeepsTheNormalPlace) {
    for (const auto& [msg, wParam, show] : {std::tuple{WM_SYSCOMMAND, SC_CLOSE, SW_MINIMIZE}, {WM_CLOSE, 0, SW_MAXIMIZE},
                                            {WM_COMMAND, IDM_EXIT, SW_MINIMIZE}}) {
        Shell shell(settingsFileText({.windowX = 100, .windowY = 80, .clientWidth = 640, .clientHeight = 480}, ""), "",
                    {}, {Answer::Cancel, Answer::No});
        ::ShowWindow(shell.hwnd(), show), shell.window.editor().setModified(true);
        ::SendMessageA(shell.hwnd(), msg, wParam, 0);
        EXPECT_NE(shell.window.hwnd(), nullptr) << msg;
        ::SendMessageA(shell.hwnd(), msg, wParam, 0);
        EXPECT_EQ(shell.window.hwnd(), nullptr) << msg;
        EXPECT_NE(shell.desktop.files[kTestSettingsFile].find("\r\n100,80,640,480,10\r\n"), std::string::npos) << msg;
    }
    // Another program posts WM_CLOSE twice; the second arrives while the first one's question is open.
    Shell shell;
    shell.desktop.realBoxes = true;
    shell.pump(), shell.desktop.real.setOwner(shell.hwnd()), shell.window.editor().setModified(true);
    const DialogPlayer player({{DialogStep::Click, IDCANCEL}});
    ::PostMessageA(shell.hwnd(), WM_CLOSE, 0, 0), ::PostMessageA(shell.hwnd(), WM_CLOSE, 0, 0), shell.pump();
    EXPECT_EQ(player.seen(), std::vector<std::string>{"Tessaline"});
    EXPECT_TRUE(::IsWindow(shell.hwnd()));
}

// Laid out for the icon's empty client area, the editor would wrap at each character and scroll away.
TEST(MainWindow, MinimisedAndRestoredTheDocumentStaysWhereItWas) {
    std::string page;
    for (int line = 1; line <= 300; ++line) page += "<p>a paragraph that wraps in a narrow window " + std::to_string(line) + "</p>\r\n";
    Shell shell(settingsFileText({.clientWidth = 400, .clientHeight = 300, .useLastSize = 1, .wordWrap = 1}, ""),
                "C:\\long.html", {{"C:\\long.html", page}});
    shell.pump();
    const HWND editor = shell.window.editorHwnd();
    ::ShowWindow(shell.hwnd(), SW_SHOW), ::SendMessageA(editor, EM_LINESCROLL, 0, 150);
    const auto seen = [&] {
        return std::tuple(shell.window.editor().firstVisibleLine(), shell.window.editor().lineCount(), clientRect(editor).right);
    };
    const auto before = seen();
    ::ShowWindow(shell.hwnd(), SW_MINIMIZE);
    EXPECT_EQ(shell.window.editor().lineCount(), std::get<1>(before));
    ::ShowWindow(shell.hwnd(), SW_RESTORE);
    EXPECT_EQ(seen(), before);
}

struct RealSystemDesktop : FakeDesktop {
    ReadResult readFile(const std::string& path) override { return real.readFile(path); }
    std::optional<FileStamp> fileStamp(const std::string& path) override { return real.fileStamp(path); }
    bool startProcess(const std::string& line) override { return real.startProcess(line); }
    win32::DesktopWin real;
};
// A stand-in browser in a file name with a space records the command line it got.
TEST(RealSystem, TheBrowserStartsQuotedAndAFileChangedOnDiskIsAsked) {
    const TempFolder folder;
    const std::string page = folder / "page.html", browser = folder / "Web Browser.exe", record = browser + ".txt";
    ASSERT_TRUE(::CopyFileA(besideTests("command_line_recorder.exe").c_str(), browser.c_str(), FALSE));
    TestWindow<RealSystemDesktop> shell("", "", {}, {Answer::Yes});
    shell.desktop.files[browser] = "", shell.app().settings.browserIndex = 2;
    shell.app().settings.browserPaths[1] = browser + " ", shell.command(IDT_RUNBROWSER);
    for (int i = 0; i < 2000 && !readBytes(record); ++i) ::Sleep(10);  // until the browser has started, at most 20 s
    EXPECT_EQ(readBytes(record).value_or("nothing started"), "\"" + browser + "\" \"C:\\Data\\runFile.htm\"");
    ::DeleteFileA(record.c_str());
    EXPECT_TRUE(shell.desktop.real.shellOpen(browser, ShowAs::Normal));  // as the About box's links open
    for (int i = 0; i < 2000 && !readBytes(record); ++i) ::Sleep(10);
    EXPECT_NE(readBytes(record).value_or("nothing started").find(browser), std::string::npos);
    for (int i = 0; i < 2000 && !::DeleteFileA(browser.c_str()); ++i) ::Sleep(10);  // once it has ended

    const auto activated = [&] { ::SendMessageW(shell.hwnd(), WM_ACTIVATE, WA_CLICKACTIVE, 0), shell.pump(); };
    ASSERT_TRUE(writeBytes(page, "mine"));
    shell.desktop.openResults = {page}, shell.command(IDM_OPEN), activated();
    ASSERT_TRUE(writeBytes(page, "MINE"));  // the same size, an hour later: only the file's time tells the change
    std::filesystem::last_write_time(page, std::filesystem::last_write_time(page) + std::chrono::hours(1)), activated();
    EXPECT_EQ(std::tuple(shell.desktop.boxes, windowText(shell.window.editorHwnd())),
              std::tuple(std::vector{question("Tessaline", changedOnDiskText(page, false), Buttons::YesNo)}, "MINE"));
}

struct FailingDesktop : FakeDesktop {
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { throw std::runtime_error("lost"); }
};
TEST(MainWindow, ACommandThatFailsIsReportedAndTheUnsavedTextRescued) {
    TestWindow<FailingDesktop> shell("", "", {}, {Answer::No, Answer::Ok});
    ::SetWindowTextA(shell.window.editorHwnd(), "precious"), shell.window.editor().setModified(true);
    shell.command(IDM_OPEN);
    const std::string rescued = "C:\\Data\\Tessaline rescued text.txt";
    ASSERT_EQ(shell.desktop.boxes.size(), 2u);
    EXPECT_EQ(shell.desktop.boxes[1].title + ": " + shell.desktop.boxes[1].text, "Tessaline: Tessaline could not "
              "finish what it was doing:\r\nlost\r\n\r\nYour unsaved text has also been written to\r\n" + rescued);
    EXPECT_EQ(shell.desktop.files[rescued] + " " + windowText(shell.window.editorHwnd()), "precious precious");
}

TEST(MainWindow, AWindowWhoseControlsCannotBeMadeDoesNotStart) {
    static const HHOOK hook = ::SetWindowsHookExA(WH_CBT, [](int code, WPARAM w, LPARAM l) CALLBACK -> LRESULT {
        char name[8] = {};
        const bool edit = code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(w), name, 8) && !lstrcmpiA(name, "Edit");
        return edit ? 1 : ::CallNextHookEx(nullptr, code, w, l); }, nullptr, ::GetCurrentThreadId());
    Shell shell("", "", {}, {Answer::Ok});
    ::UnhookWindowsHookEx(hook);
    EXPECT_FALSE(shell.created || ::IsWindow(shell.window.hwnd()));
    ASSERT_EQ(shell.desktop.boxes.size(), 1u);
    EXPECT_EQ(shell.desktop.boxes[0].text, "Tessaline could not create its window and cannot start.");
}

struct EditorWindow : testing::Test {
    std::unique_ptr<EditorSubject> s = makeEditorSubject();
    Shell& w = windowOf(*s);
    const HWND editor = w.window.editorHwnd();  // until word wrap makes a new one
    int firstShown() { return int(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    // The gutter's rows for the lines the editor shows: their numbers, ">" before a marked one.
    std::vector<std::string> inView() {
        std::vector<std::string> rows;
        for (int l = firstShown() + 1; l <= firstShown() + s->edit().font.visibleLines; ++l)
            rows.push_back((std::ranges::count(s->edit().bookmarks, l) ? ">" : "") + std::to_string(l));
        return rows;
    }
};

// 1 when the editor wraps and the menu says so, 0 when neither, -1 when they disagree.
int wrapping(const Shell& w) {
    const bool style = !(::GetWindowLongA(w.window.editorHwnd(), GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL));
    return style == bool(::GetMenuState(::GetMenu(w.hwnd()), IDM_WORDWRAP, MF_BYCOMMAND) & MF_CHECKED) ? style : -1;
}

// Which window fills which pop-up menu and where the menu stands; the menu closes as soon as it waits for the user.
struct { HWND owner; HMENU menu; RECT place; } g_seen;
LRESULT CALLBACK watchMenus(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent.message == WM_INITMENUPOPUP && !g_seen.menu) g_seen.owner = sent.hwnd, g_seen.menu = HMENU(sent.wParam);
    if (sent.message == WM_ENTERIDLE) ::GetWindowRect(::FindWindowA("#32768", nullptr), &g_seen.place), ::EndMenu();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The right button moves the caret and opens the menu under the pointer, on a quick second click too, not on its
// release (which the control answers with WM_CONTEXTMENU); the menu key opens it below the caret.
TEST_F(EditorWindow, ContextMenuGutterFocusAndCopy) {
    const char *kept = "ab\r\nsecond [line]\r\nc", *moved = "ab\r\nsec|ond line\r\nc";
    const struct { UINT message; const char* after; bool opens = true, keyboard = false; } rows[] = {
        {WM_RBUTTONDOWN, moved}, {WM_RBUTTONDBLCLK, moved}, {WM_RBUTTONUP, kept, false},
        {WM_CONTEXTMENU, kept, true, true}};  // as the menu key sends it
    const HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchMenus, nullptr, ::GetCurrentThreadId());
    for (const auto& r : rows) {
        s->set(kept), g_seen = {};
        const LRESULT at = ::SendMessageA(editor, EM_POSFROMCHAR, r.keyboard ? 15 : 7, 0);  // selection end, column 4
        POINT p{GET_X_LPARAM(at) + (r.keyboard ? 0 : 3),
                GET_Y_LPARAM(at) + (r.keyboard ? s->edit().font.lineHeight : 3)};
        ::SendMessageA(editor, r.message, r.keyboard ? WPARAM(editor) : 0, r.keyboard ? -1 : MAKELPARAM(p.x, p.y));
        r.opens ? (void)::ClientToScreen(editor, &p) : (void)(p = {});
        EXPECT_EQ(std::tuple(g_seen.menu == w.window.contextMenu() && g_seen.owner == w.hwnd(), g_seen.place.left,
                             g_seen.place.top, s->marked()), std::tuple(r.opens, p.x, p.y, r.after)) << r.message;
    }
    ::UnhookWindowsHookEx(hook);

    s->set(numberedLines(200)), s->bookmark({190, 2});
    const struct { UINT message; WPARAM wParam; const char* keys; int silently = 0; } scrolls[] = {
        {WM_VSCROLL, SB_PAGEDOWN, ""}, {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), ""}, {0, 0, "{Esc}{PgUp}"},
        {0, 0, "{PgDn}{PgDn}{PgDn}"}, {WM_TIMER, 1, "", 40}};  // the control's own, as the button selects on
    for (const auto& r : scrolls) {
        const int before = firstShown();
        ::SendMessageA(editor, EM_LINESCROLL, 0, r.silently), ::SetWindowTextA(w.window.gutterHwnd(), "stale");
        r.message ? (void)::SendMessageA(editor, r.message, r.wParam, 0) : s->keys(r.keys);
        EXPECT_EQ(std::pair(firstShown() != before, s->gutterRows()), std::pair(true, inView())) << r.message << r.keys;
    }
    for (const HWND target : {w.window.gutterHwnd(), w.hwnd()}) {  // Esc closed nothing; the frame hands the keys on
        ::SetFocus(target);
        EXPECT_EQ(std::pair(::IsWindow(w.hwnd()), ::GetFocus()), std::pair(TRUE, editor)) << target;
    }

    s->set("[hello\r\nworld]");
    s->command(IDM_COPY);  // Unicode text is the one format placed, the rest only the system's forms of it
    const std::vector<UINT> formats = clipboardFormats(), synthesised{CF_TEXT, CF_OEMTEXT, CF_LOCALE};
    for (const UINT f : formats) EXPECT_TRUE(f == formats[0] ? f == CF_UNICODETEXT : std::ranges::count(synthesised, f)) << f;
    EXPECT_EQ(s->desktop().clipboardText(), u"hello\r\nworld");
}

// The other wrapping makes a new control: the document and the sunken edge move across whole, the bookmarks do not.
// From a third display line, Enter, block Tab and the line commands still take the text line.
TEST_F(EditorWindow, WordWrapMakesANewEditor) {
    EXPECT_EQ(wrapping(Shell(settingsFileText(Settings{.wordWrap = 1}, ""))), 1);
    std::string line = "    ";
    for (int i = 0; i < 40; ++i) line += "word" + std::to_string(i) + " ";
    const std::string plain = "a\r\n" + line + "\r\nb", head = plain.substr(0, 203), tail = plain.substr(203);
    s->set(plain), s->editor().setTextLimit(250000), s->bookmark({1, 3});
    for (const bool wraps : {true, false, true}) {
        s->editor().setModified(wraps);
        s->command(IDM_WORDWRAP);
        const bool sunken = ::GetWindowLongA(w.window.editorHwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
        EXPECT_EQ(
            std::tuple(wrapping(w), utf8(s->editor().text()), s->modified(), s->editor().textLimit(), sunken,
                       s->edit().bookmarks.empty(), s->gutterRows().size(), s->editor().lineFromChar(203) > 2),
            std::tuple(wraps ? 1 : 0, plain, wraps, 250000, true, true, std::size_t(s->editor().lineCount()), wraps));
    }
    s->desktop().setClipboardText(u"kept"), s->desktop().answers = {Answer::Ok};
    const struct { const char* keys; int command; std::string after, clipboard; std::size_t boxes; } rows[] = {
        {"{Enter}", 0, head + "\r\n    " + tail, "kept", 0},
        {"{S-Up}{S-Home}{Tab}", 0, plain, "kept", 1},
        {"", IDM_YANKLINE, "a\r\nb", "kept", 0},
        {"", IDM_COPYLINE, plain, line, 0}};
    for (const auto& r : rows) {
        s->set(head + "|" + tail);
        r.command ? s->command(r.command) : s->keys(r.keys);
        EXPECT_EQ(std::tuple(utf8(s->editor().text()), utf8(s->desktop().clipboardText()), s->desktop().boxes.size()),
                  std::tuple(r.after, r.clipboard, r.boxes)) << r.keys << r.command;
    }
}

// Asked from another thread as at shutdown; once the session ends the preview goes and the settings are written.
TEST(SessionEnd, ShutdownAsksAndCancelKeepsAll) {
    for (const auto& [answer, mayEnd] : {std::pair{Answer::Cancel, FALSE}, {Answer::No, TRUE}}) {
        const std::string settings = settingsFileText({.windowX = 30, .windowY = 40}, "");
        TestWindow<> shell(settings, "", {{"C:\\Data\\runFile.htm", "preview"}}, {answer});
        shell.pump(), ::SetWindowTextA(shell.window.editorHwnd(), "unsaved"), shell.window.editor().setModified(true);
        std::pair<HWND, LRESULT> call{shell.hwnd(), -1};
        HANDLE system = ::CreateThread(nullptr, 0, [](void* c) WINAPI -> DWORD {
            auto& [window, result] = *static_cast<std::pair<HWND, LRESULT>*>(c);
            result = ::SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            return 0; }, &call, 0, nullptr);
        while (::MsgWaitForMultipleObjects(1, &system, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) shell.pump();
        ::CloseHandle(system);
        EXPECT_EQ(std::tuple(call.second, shell.desktop.boxes.size(), shell.window.editor().modified(),
                             windowText(shell.window.editorHwnd()) + shell.desktop.files[kTestSettingsFile]),
                  std::tuple(mayEnd, 1u, true, "unsaved" + settings));
        if (mayEnd) ::SendMessageA(shell.hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // the preview goes
        EXPECT_EQ(std::tuple(shell.desktop.files.size(), shell.desktop.files[kTestSettingsFile]),
                  std::tuple(mayEnd ? 1u : 2u, mayEnd ? settingsFileText(shell.app().settings, "") : settings));
    }
}

int tagWindows() {
    int n = 0;
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, nullptr, "HTML Tags"));) ++n;
    return n;
}

TEST(TagListWindow, FloatsInsertsAndEndsWithMain) {
    TestWindow<> shell(settingsFileText({.windowX = 100, .windowY = 50, .clientWidth = 400, .clientHeight = 200}, ""),
                       "", {}, {Answer::No});
    EditControl& editor = shell.window.editor();
    editor.setText(u"ab"), editor.setSelection(1, 1), shell.command(IDM_HTMLTAGS), shell.pump();
    const HWND tags = ::GetActiveWindow(), list = ::GetDlgItem(tags, 520);
    const RECT main = windowRect(shell.hwnd()), outer = windowRect(tags), client = clientRect(tags);
    RECT box = windowRect(list), item{};
    ::SendMessageA(list, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::tuple(tagWindows(), outer.left - main.left, outer.top - main.top, client.right, client.bottom,
                         box.right - box.left, box.bottom - box.top, ::SendMessageA(list, LB_GETCOUNT, 0, 0)),
              std::tuple(1, 220L, 90L, 130L, 78L, 130L, 88L, LRESULT(43)));
    EXPECT_TRUE(::GetWindowLongA(tags, GWL_EXSTYLE) & WS_EX_TOPMOST && !::GetWindow(tags, GW_OWNER));
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})  // on "<p>...</p>"
        ::PostMessageA(list, msg, 0, MAKELPARAM(item.left + 5, item.top + 2));
    shell.pump();
    EXPECT_EQ(std::tuple(editor.text(), editor.selection().start, ::GetFocus() == shell.window.editorHwnd()),
              std::tuple(u"a<p></p>b", 4, true));
    for (const int index : {18, -1}) {  // "<br />", then nothing selected: Enter inserts nothing; Esc closes nothing
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0), ::PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0), shell.pump();
        EXPECT_EQ(std::tuple(editor.text(), editor.selection().start), std::tuple(u"a<p><br /></p>b", 10));
    }
    ::SendMessageA(list, LB_SETCURSEL, 18, 0);
    for (const int dpi : {2 * shell.app().dpi, shell.app().dpi}) {  // to a monitor of twice the DPI and back
        const RECT suggested{30, 40, 30 + scaled(140, dpi), 40 + scaled(110, dpi)}, place = toDpi(tags, dpi, suggested);
        box = windowRect(list);
        EXPECT_EQ(std::tuple(place.left, place.bottom, fontOf(list).lfHeight, box.right - box.left,
                             ::SendMessageA(list, LB_GETCURSEL, 0, 0)),
                  std::tuple(30L, suggested.bottom, -::MulDiv(8, dpi, 72), LONG(scaled(130, dpi)), LRESULT(18)));
    }
    shell.command(IDM_HTMLTAGS), shell.pump();
    EXPECT_EQ(tagWindows(), 2);
    ::SendMessageA(shell.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tagWindows(), 0);
}

using Box = std::array<LONG, 4>;  // left, top, right, bottom in the parent's client area

struct HelpFixture {
    // The build puts the help file beside Tessaline.exe, one folder above the tests.
    explicit HelpFixture(const std::string& bytes = readBytes(besideTests("..\\TessalineHelp.ahp")).value_or(""))
        : shell({}, {}, {{"C:\\Data\\TessalineHelp.ahp", bytes}}, {Answer::Ok}),
          topics(loadHelpFile(bytes).value_or(std::vector<HelpTopic>{})), tree(buildTopicTree(topics)) {
        shell.command(IDM_HELPCONTENT);
    }
    ~HelpFixture() { press(0); }
    HelpWindow& help() { return shell.program.helpWindow(); }
    HWND at(int id) { return help().control(id); }
    Box box(int id) {
        RECT r = windowRect(at(id));
        ::MapWindowPoints(nullptr, help().hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }
    std::string status(int part) { return statusText(at(helpid::kStatus), part); }
    bool itemHas(int topic, UINT state) {
        return ::SendMessageA(at(helpid::kTree), TVM_GETITEMSTATE, WPARAM(help().itemOf(topic)), state) != 0;
    }
    // A key typed into the tree (or another control), with Ctrl or Shift held as the keyboard driver reports them.
    void press(UINT vk, bool control = false, bool shift = false, int into = helpid::kTree) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        if (vk) ::PostMessageA(at(into), WM_KEYDOWN, vk, 1), shell.pump();
    }
    TestWindow<> shell;
    std::vector<HelpTopic> topics;
    TopicTree tree;
};

TEST(HelpWindow, OpensBesideMainWithTheShippedTopicsAndItsKeys) {
    HelpFixture f;
    ASSERT_TRUE(f.help().isOpen());
    HWND help = f.help().hwnd();
    const RECT client = clientRect(help), outer = windowRect(help), main = windowRect(f.shell.hwnd());
    EXPECT_EQ(
        std::tuple(client.right, client.bottom, outer.left - main.left, outer.top - main.top, windowText(help),
                   ::GetWindowLongA(help, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                   f.status(0)),
        std::tuple(640L, 370L, 100L, 80L, "Application Help", LONG(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX),
                   "  Right click mouse (or F1) for menu options"));
    // Positions as created; sizes by the resize rules at 640 x 370; fonts of 10 and 12 points at 96 dpi.
    const struct { int id; Box place; DWORD style; const char* font; } rows[] = {
        {helpid::kTree, {10, 5, 245, 335}, WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS, "MS Sans Serif 13"},
        {helpid::kTitle, {250, 5, 610, 28}, 0, "MS Sans Serif 16"},
        {helpid::kText, {250, 30, 625, 335}, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, "MS Sans Serif 13"},
        {helpid::kSplitter, {245, 5, 250, 335}, SS_ETCHEDFRAME | SS_NOTIFY, ""}};
    for (const auto& row : rows) {
        const LOGFONTA font = fontOf(f.at(row.id));
        const std::string seen = *row.font ? font.lfFaceName + (" " + std::to_string(-font.lfHeight)) : "";
        EXPECT_EQ(std::tuple(f.box(row.id), DWORD(::GetWindowLongA(f.at(row.id), GWL_STYLE)) & row.style, seen),
                  std::tuple(row.place, row.style, std::string(row.font))) << row.id;
    }

    const HWND tree = f.at(helpid::kTree);
    const auto& parents = f.tree.parent;
    EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), static_cast<LRESULT>(f.topics.size()));
    for (std::size_t t = 0; t < f.topics.size(); ++t) {
        char title[256] = {};
        TVITEMA item{.mask = TVIF_TEXT, .hItem = f.help().itemOf(int(t)), .pszText = title, .cchTextMax = 256};
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        // Its next sibling is the next topic of the file under the same parent.
        const auto next = std::find(parents.begin() + int(t) + 1, parents.end(), parents[t]);
        EXPECT_EQ(
            std::tuple(std::string(title), TreeView_GetParent(tree, item.hItem), TreeView_GetNextSibling(tree, item.hItem),
                       f.itemHas(int(t), TVIS_EXPANDED)),
            std::tuple(f.topics[t].title, parents[t] < 0 ? nullptr : f.help().itemOf(parents[t]),
                       next == parents.end() ? nullptr : f.help().itemOf(int(next - parents.begin())),
                       bool(f.tree.hasChildren[t])))
            << t;
    }
    const HelpTopic& shown = f.topics[static_cast<std::size_t>(f.tree.selected)];
    EXPECT_EQ(std::tuple(windowText(f.at(helpid::kTitle)), windowText(f.at(helpid::kText)), f.status(1)),
              std::tuple("     " + shown.title, shown.body, shown.title));

    // Ctrl+C copies the text pane's selection and folds nothing; the tree opens no label editor, whose Esc would close.
    const auto parent = static_cast<int>(std::ranges::find(f.tree.hasChildren, true) - f.tree.hasChildren.begin());
    ::SendMessageA(f.help().hwnd(), WM_COMMAND, helpid::kCollapseAll, 0);
    EXPECT_FALSE(f.itemHas(parent, TVIS_EXPANDED));
    f.press('X', true);
    EXPECT_TRUE(f.itemHas(parent, TVIS_EXPANDED));
    EXPECT_EQ(::SendMessageA(f.at(helpid::kTree), TVM_EDITLABELA, 0, LPARAM(f.help().itemOf(parent))), 0);
    {  // F3 before any search asks as Ctrl+F does
        const DialogStep type{DialogStep::Type, helpid::kAskEdit, "  TABLE "}, ok{DialogStep::Click, IDOK};
        const DialogPlayer player({type, ok, type, ok});
        f.press(VK_F3), f.press('F', true);
        EXPECT_EQ(player.seen(), (std::vector<std::string>{"Text to Find", "Text to Find"}));
    }
    EXPECT_EQ(::GetFocus(), f.at(helpid::kTree));  // the keyboard is back where it was before the prompt
    const auto match = findFirst(f.topics, "table", 0).value();  // the match is shown, its topic bold
    DWORD start = 0, end = 0;
    ::SendMessageA(f.at(helpid::kText), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::tuple(f.help().currentTopic(), f.itemHas(match.topic, TVIS_BOLD), start, end),
              std::tuple(match.topic, true, static_cast<DWORD>(match.pos), static_cast<DWORD>(match.pos + 5)));
    win32::DesktopWin clipboard;
    clipboard.setClipboardText(u"kept"), f.press('C', true, false, helpid::kText);
    EXPECT_EQ(std::pair(clipboard.clipboardText(), f.itemHas(parent, TVIS_EXPANDED)),
              std::pair(utf16(f.topics[match.topic].body.substr(match.pos, 5)), true));
    f.press(VK_F3, false, true);  // Prev: nothing before the first match
    EXPECT_EQ(f.shell.desktop.boxes.size(), 1u);
    f.press('P', true);  // the topic shown goes to the printer under its title
    EXPECT_EQ(f.shell.printers.dialogs.size(), 1u);
    EXPECT_GT(std::ranges::count(f.shell.printers.printed, f.topics[match.topic].title, &PrintedText::text), 0);
    f.press(VK_ESCAPE);
    EXPECT_FALSE(f.help().isOpen());
    f.shell.command(IDM_HELPCONTENT), help = f.help().hwnd();

    // The topic pane is made again for the other wrapping; the splitter, dragged, stays on resizing.
    int wrapping = -1, scrolling = -1;
    for (int i = int(f.topics.size()) - 1; i > 0; --i) (f.topics.at(i).wrapMode == kNoWrap ? scrolling : wrapping) = i;
    ASSERT_GT(scrolling, 0);
    const auto show = [&](int topic) {
        ::SendMessageA(f.at(helpid::kTree), TVM_SELECTITEM, TVGN_CARET, LPARAM(f.help().itemOf(topic)));
        const HWND pane = f.at(helpid::kText);
        EXPECT_EQ(std::tuple(windowText(pane), f.status(1), f.box(helpid::kText)),
                  std::tuple(f.topics.at(topic).body, topicPath(f.topics, f.tree, topic), Box{250, 30, 625, 335}));
        return std::make_pair(pane, (::GetWindowLongA(pane, GWL_STYLE) & WS_HSCROLL) != 0);
    };
    const HWND first = f.at(helpid::kText);
    EXPECT_EQ(show(wrapping), std::make_pair(first, false));
    EXPECT_TRUE(show(scrolling).second);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(show(wrapping).second);

    const HWND splitter = f.at(helpid::kSplitter);
    for (const auto& [msg, x] : {std::pair{WM_LBUTTONDOWN, 2}, {WM_MOUSEMOVE, 52}, {WM_LBUTTONUP, 52}})
        ::PostMessageA(splitter, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 40));
    f.shell.pump();
    const auto expect = [&](int bottom, int titleRight, int textRight, int textBottom) {  // tree, splitter, title, text
        EXPECT_EQ(
            (std::array{f.box(helpid::kTree), f.box(helpid::kSplitter), f.box(helpid::kTitle), f.box(helpid::kText)}),
            (std::array{Box{10, 5, 295, bottom}, Box{295, 5, 300, bottom}, Box{300, 5, titleRight, 28},
                        Box{300, 30, textRight, textBottom}}));
    };
    expect(335, 610, 625, 335);
    const HWND text = f.at(helpid::kText);
    ::SetWindowTextA(text, std::string(200, '\n').c_str()), ::SendMessageA(text, EM_LINESCROLL, 0, 40);
    const auto kept = std::tuple(f.help().currentTopic(), ::SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0));
    for (const int dpi : {192, 96}) {  // to twice the DPI and back: the splitter stays where it was dragged
        const RECT suggested{20, 30, 20 + scaled(600, dpi), 30 + scaled(400, dpi)}, place = toDpi(help, dpi, suggested);
        EXPECT_EQ(std::tuple(place.right, place.bottom, fontOf(f.at(helpid::kTitle)).lfHeight, f.box(helpid::kTree)[2],
                             f.box(helpid::kText)[0],
                             std::tuple(f.help().currentTopic(), ::SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0))),
                  std::tuple(suggested.right, suggested.bottom, -::MulDiv(12, dpi, 72), LONG(scaled(295, dpi)),
                             LONG(scaled(300, dpi)), kept));
    }
    RECT frame{0, 0, 800, 500};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(help, GWL_STYLE)), FALSE, 0);
    ::SetWindowPos(help, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
    expect(465, 300 + 800 - 295 - 35, 300 + 800 - 295 - 20, 30 + 500 - 65);
    int parts[3] = {};
    EXPECT_EQ(::SendMessageA(f.at(helpid::kStatus), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], 520);

    ::ShowWindow(help, SW_MINIMIZE), f.shell.command(IDM_HELPCONTENT);
    EXPECT_EQ(std::pair(f.help().hwnd(), ::IsIconic(help)), std::pair(help, FALSE));
    ::SendMessageA(f.shell.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(help));
}

TEST(HelpWindow, AMissingOrEmptyFileIsSaid) {
    for (const std::string& bytes : {std::string(), std::string("\0\0\0\0", 4)}) {
        HelpFixture f(bytes);
        const MessageBoxRequest noContent{.title = "Help File", .text = "No help content", .icon = Icon::Information};
        EXPECT_EQ(std::pair(f.help().isOpen(), f.shell.desktop.boxes), std::pair(false, std::vector(1, noContent)));
    }
    TestWindow<> missing({}, {}, {}, {Answer::Ok});
    missing.command(IDM_HELPCONTENT);
    EXPECT_EQ(missing.desktop.boxes.at(0).text, "No help available");
}

}  // namespace
}  // namespace tess::test
