// What the real main window adds: controls, toolbar, menu keys, layout, start-up, closing, the failure barrier.
#include "MarkedText.h"
#include "WinTestSupport.h"
#include "app/Layout.h"
#include "document/DiskChanges.h"
#include "platform/win32/UniqueHandle.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <vector>

namespace tess::test {
namespace {

using Shell = TestWindow<RealClipboardDesktop>;
RECT clientRect(HWND hwnd) { RECT r{}; ::GetClientRect(hwnd, &r); return r; }
LONG chrome(HWND hwnd) { RECT r{}; ::GetWindowRect(hwnd, &r); return r.bottom - r.top - clientRect(hwnd).bottom; }

// The toolbar's twelve pictures, each its own, at the screen's DPI. Resized, the editor snaps to whole lines (10.4 lines
// of room give 10, 10.6 give 11); the gutter follows, narrower without line numbers; no control covers another.
TEST(MainWindow, ItsToolbarPicturesAndLayout) {
    Shell shell;
    const HWND main = shell.hwnd(), toolbar = ::GetDlgItem(main, IDC_TOOLBAR), editor = shell.window.editorHwnd();
    const win32::WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY), size = toolbarIconSize(dpi);
    // A first run writes the window as it stands, its menu bar in, the size at 96 dpi.
    Settings first;
    RECT place{};
    readSettingsFile(shell.desktop.files[kTestSettingsFile], first), ::GetWindowRect(main, &place);
    EXPECT_EQ(std::tuple(shell.app().dpi, first.windowX, first.windowY, first.clientWidth, first.clientHeight),
              std::tuple(dpi, place.left, place.top, unscaled(clientRect(main).right, dpi),
                         unscaled(clientRect(main).bottom, dpi)));
    // Each with its transparent parts showing the background.
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    std::set<std::string> pictures;
    const win32::UniqueDc memory(::CreateCompatibleDC(screen.get()));
    const win32::UniqueGdiObject canvas(::CreateCompatibleBitmap(screen.get(), size, size));
    ::SelectObject(memory.get(), canvas.get());
    int cx = 0, cy = 0;
    EXPECT_TRUE(::ImageList_GetIconSize(images, &cx, &cy) && cx == size && cy == size);
    for (int i = 0; i < ::ImageList_GetImageCount(images); ++i) {
        ::PatBlt(memory.get(), 0, 0, size, size, WHITENESS);
        ::ImageList_Draw(images, i, memory.get(), 0, 0, ILD_NORMAL);
        std::string pixels;
        for (int p = 0; p < size * size; ++p) pixels += std::to_string(::GetPixel(memory.get(), p % size, p / size)) + ",";
        if (pixels.find("16777215") != std::string::npos) pictures.insert(pixels);  // white shows through somewhere
    }
    EXPECT_EQ(pictures.size(), 12u);

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
            RECT r{}, overlap{};
            ::GetWindowRect(c, &r);
            for (const RECT& other : taken) EXPECT_FALSE(::IntersectRect(&overlap, &r, &other)) << ::GetDlgCtrlID(c);
            taken.push_back(r);
        }
    }
}

// Centred unless useLastSize asks for the saved place and size, held to the screen and a usable size; the editor on
// the chosen background; the command line's document, else the most recent, unchanged once the window is up.
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

// The editor as it is on the screen, frame and scroll bars included.
std::vector<BYTE> pixelsOf(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const HDC screen = ::GetWindowDC(control);
    const win32::UniqueDc memory(::CreateCompatibleDC(screen));
    const win32::UniqueGdiObject canvas(::CreateCompatibleBitmap(screen, width, height));
    ::SelectObject(memory.get(), canvas.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(control, screen);
    std::vector<BYTE> bits(std::size_t(4 * width * height));
    ::GetBitmapBits(HBITMAP(canvas.get()), LONG(bits.size()), bits.data());
    return bits;
}

// Drawn at once as a full redraw would draw it, scroll bars and all. Then to a monitor of twice the DPI and back: the
// size the system suggests; the caret, selection and first line shown stay.
TEST(MainWindow, AnOpenedDocumentIsDrawnAtOnceAndKeptInPlaceOnAnotherMonitor) {
    Shell shell("", "", {{"C:\\long.html", numberedLines(200)}});
    const HWND main = shell.hwnd(), editor = shell.window.editorHwnd();
    const auto drawn = [&](UINT more) {
        ::RedrawWindow(editor, nullptr, nullptr, RDW_UPDATENOW | more);
        return pixelsOf(editor);
    };
    ::ShowWindow(main, SW_SHOW);
    const auto empty = drawn(0);
    ::SetFocus(editor);
    shell.desktop.openResults = {"C:\\long.html"};
    shell.command(IDM_OPEN);
    const auto opened = drawn(0);
    SCROLLINFO bar{.cbSize = sizeof bar, .fMask = SIF_RANGE | SIF_POS};
    ::GetScrollInfo(editor, SB_VERT, &bar);
    EXPECT_EQ(std::tuple(::IsWindowVisible(editor), ::GetFocus() == editor, bar.nMax, bar.nPos, opened != empty),
              std::tuple(TRUE, true, 199, 0, true));
    EXPECT_TRUE(opened == drawn(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME));

    ::SendMessageA(editor, EM_SETSEL, 1500, 1530), ::SendMessageA(editor, EM_LINESCROLL, 0, 40);
    const LRESULT top = ::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    for (const int dpi : {2 * shell.app().dpi, shell.app().dpi}) {
        RECT suggested{10, 20, 10 + scaled(600, dpi), 20 + scaled(500, dpi)}, place{};
        ::SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested)), ::GetWindowRect(main, &place);
        int picture = 0;
        ::ImageList_GetIconSize(HIMAGELIST(::SendDlgItemMessageA(main, IDC_TOOLBAR, TB_GETIMAGELIST, 0, 0)), &picture, &picture);
        DWORD start = 0, end = 0;
        char encoding[16] = {};
        LOGFONTA font{};
        ::SendMessageA(editor, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        ::SendDlgItemMessageA(main, IDC_STATUSBAR, SB_GETTEXTA, 3, LPARAM(encoding));
        ::GetObjectA(HFONT(::SendMessageA(editor, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::tuple(place.right, picture, clientRect(shell.window.gutterHwnd()).right,
                             std::string(font.lfFaceName), font.lfHeight, std::string(encoding), start, end,
                             ::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)),
                  std::tuple(suggested.right, toolbarIconSize(dpi), LONG(scaled(62, dpi)), "courier new",
                             -::MulDiv(10, dpi, 72), "ANSI", DWORD{1500}, DWORD{1530}, top));
    }
}

// SC_CLOSE is the close box and Alt+F4, WM_CLOSE a close from another program.
TEST(MainWindow, EveryCloseAsksAndKeepsTheNormalPlace) {
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
}

// Minimised and restored, a wrapped document is shown as it was: the editor is not laid out for the icon's empty client
// area in between, which would wrap every line at each character and scroll away from where the user was.
TEST(MainWindow, MinimisedAndRestoredTheDocumentStaysWhereItWas) {
    std::string page;
    for (int line = 1; line <= 300; ++line) page += "<p>a paragraph that wraps in a narrow window " + std::to_string(line) + "</p>\r\n";
    Shell shell(settingsFileText({.clientWidth = 400, .clientHeight = 300, .useLastSize = 1, .wordWrap = 1}, ""),
                "C:\\long.html", {{"C:\\long.html", page}});
    shell.pump();
    const HWND editor = shell.window.editorHwnd();
    ::ShowWindow(shell.hwnd(), SW_SHOW);
    ::SendMessageA(editor, EM_LINESCROLL, 0, 150);
    const auto seen = [&] {
        return std::tuple(shell.window.editor().firstVisibleLine(), shell.window.editor().lineCount(), clientRect(editor).right);
    };
    const auto before = seen();
    ::ShowWindow(shell.hwnd(), SW_MINIMIZE);
    EXPECT_EQ(shell.window.editor().lineCount(), std::get<1>(before));
    ::ShowWindow(shell.hwnd(), SW_RESTORE);
    EXPECT_EQ(seen(), before);
}

// Rewritten in the same size, an hour later: only the file's time tells the change.
struct RealFilesDesktop : FakeDesktop {
    ReadResult readFile(const std::string& path) override { return real.readFile(path); }
    std::optional<FileStamp> fileStamp(const std::string& path) override { return real.fileStamp(path); }
    win32::DesktopWin real;
};
TEST(MainWindow, AFileChangedByAnotherProgramIsAskedAboutOnActivation) {
    const TempFolder folder;
    const std::string page = folder / "page.html";
    TestWindow<RealFilesDesktop> shell("", "", {}, {Answer::Yes});
    const auto activated = [&] { ::SendMessageW(shell.hwnd(), WM_ACTIVATE, WA_CLICKACTIVE, 0), shell.pump(); };
    ASSERT_TRUE(writeBytes(page, "mine"));
    shell.desktop.openResults = {page}, shell.command(IDM_OPEN), activated();
    ASSERT_TRUE(writeBytes(page, "MINE"));
    std::filesystem::last_write_time(page, std::filesystem::last_write_time(page) + std::chrono::hours(1)), activated();
    EXPECT_EQ(std::tuple(shell.desktop.boxes, windowText(shell.window.editorHwnd())),
              std::tuple(std::vector{question("Tessaline", changedOnDiskText(page, false), Buttons::YesNo)}, "MINE"));
}

struct FailingDesktop : FakeDesktop {
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { throw std::runtime_error("lost"); }
};
TEST(MainWindow, ACommandThatFailsIsReportedAndTheUnsavedTextRescued) {
    TestWindow<FailingDesktop> shell("", "", {}, {Answer::No, Answer::Ok});
    ::SetWindowTextA(shell.window.editorHwnd(), "precious");
    shell.window.editor().setModified(true);
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

}  // namespace
}  // namespace tess::test
