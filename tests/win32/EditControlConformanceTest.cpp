// The conformance cases against a real multi-line EDIT control, made as the program makes its
// editor, and against the in-memory model in the same process.
#include "EditControlConformance.h"
#include "WinTestSupport.h"
#include "platform/win32/DesktopWin.h"
#include "platform/win32/EditControlWin.h"
#include "platform/win32/UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tess::conformance {
namespace {

// The editor's styles (MainWindow.cpp); EditorStylesMatchTheProgram keeps them in step.
constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | WS_TABSTOP;

class RealEditSubject : public Subject {
public:
    RealEditSubject() {
        // A fixed-pitch font, as the editor uses, so that Up and Down land on the same column as
        // the model says.
        ::SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        control_.attach(edit_);
        control_.setTextLimit(100000);
    }
    ~RealEditSubject() override { host_.reset(); }  // the control goes before its font

    HWND hwnd() const { return edit_; }
    bool isWineControl() const override {
        return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    }
    EditControl& control() override { return control_; }

    void setClipboard(std::string_view text) override {
        if (!text.empty()) {
            desktop_.setClipboardText(text);
        } else if (::OpenClipboard(host_.get())) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
    std::string clipboard() override { return desktop_.clipboardText(); }

    // Enter and Backspace come with their key's press and release, as a keyboard sends them.
    void typeChar(char c) override {
        const UINT vk = c == '\r' ? VK_RETURN : c == '\b' ? VK_BACK : 0;
        if (vk) ::SendMessageA(edit_, WM_KEYDOWN, vk, keyData(vk, false));
        ::SendMessageA(edit_, WM_CHAR, static_cast<unsigned char>(c), keyData(vk ? vk : LOBYTE(::VkKeyScanA(c)), false));
        if (vk) ::SendMessageA(edit_, WM_KEYUP, vk, keyData(vk, true));
    }
    void pressDelete() override { press(VK_DELETE); }
    void pressUp() override { press(VK_UP); }
    void pressDown() override { press(VK_DOWN); }

private:
    // Repeat count 1, the scan code, the extended-key bit of the navigation keys, and for a release
    // the previous-state and transition bits.
    static LPARAM keyData(UINT vk, bool release) {
        LPARAM bits = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16);
        if (vk == VK_DELETE || vk == VK_UP || vk == VK_DOWN) bits |= LPARAM{1} << 24;
        if (release) bits |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
        return bits;
    }
    void press(UINT vk) {
        ::SendMessageA(edit_, WM_KEYDOWN, vk, keyData(vk, false));
        ::SendMessageA(edit_, WM_KEYUP, vk, keyData(vk, true));
    }

    win32::UniqueHwnd host_{::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS, 0, 0, 520, 540,
                                              nullptr, nullptr, nullptr, nullptr)};
    HWND edit_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", kEditorStyle, 64, 30, 435, 433, host_.get(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(103)), nullptr, nullptr);
    win32::UniqueFont font_{::CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New")};
    win32::EditControlWin control_;
    win32::DesktopWin desktop_;
};

Target realEditTarget() {
    return {"RealEdit", [] { return std::make_unique<RealEditSubject>(); }};
}

INSTANTIATE_TEST_SUITE_P(Wine, EditControlConformance, testing::Values(inMemoryTarget(), realEditTarget()),
                         targetName);

TEST(EditControlConformanceSetup, EditorStylesMatchTheProgram) {
    test::TestWindow<> shell;
    ASSERT_TRUE(shell.created);
    RealEditSubject subject;
    EXPECT_EQ(::GetWindowLongA(subject.hwnd(), GWL_STYLE), ::GetWindowLongA(shell.window.editorHwnd(), GWL_STYLE));
    EXPECT_EQ(::GetWindowLongA(subject.hwnd(), GWL_EXSTYLE), ::GetWindowLongA(shell.window.editorHwnd(), GWL_EXSTYLE));
}

}  // namespace
}  // namespace tess::conformance
