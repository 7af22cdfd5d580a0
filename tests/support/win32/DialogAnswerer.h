#pragma once
// Answers the real modal boxes and dialogs this thread opens as a user would (types the file name
// if given one, presses the button; Cancel once the answers run out), and records what they showed.
#include "WinTestSupport.h"

#include <dlgs.h>

namespace tess::test {

// fileName is typed into the control `field`: a file dialog's name box unless told.
struct DialogAnswer { int button = IDOK; std::wstring fileName; int field = cmb13; };

struct SeenDialog {
    std::string title, fileName;       // fileName: what a file dialog's name field proposed
    std::wstring text;                 // what a message box said
    std::vector<int> buttons;          // which of OK, Cancel, Yes, No it showed
    std::vector<std::string> filters;  // a file dialog's type list
    bool readOnlyBoxVisible = false;
};

class DialogAnswerer {
public:
    explicit DialogAnswerer(std::vector<DialogAnswer> answers) : answers_(std::move(answers)) { current = this; }
    ~DialogAnswerer() { ::UnhookWindowsHookEx(hook_), current = nullptr; }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    const std::vector<SeenDialog>& seen() const { return seen_; }

private:
    // A dialog is activated before it has filled its controls (a file dialog fills its own later
    // still). A timer's message comes only when nothing else is queued, so the answer waits for one
    // (set again, not doubled, if the dialog is activated again); its modal loop dispatches it.
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        char name[16] = {};
        if (code == HCBT_ACTIVATE && ::GetClassNameA(window, name, sizeof name) && std::string(name) == "#32770")
            ::SetTimer(window, 1, USER_TIMER_MINIMUM, &timerProc);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK timerProc(HWND dialog, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(dialog, timer);
        current->answer(dialog);
    }
    void answer(HWND dialog) {
        const HWND types = ::GetDlgItem(dialog, cmb1), name = ::GetDlgItem(dialog, cmb13);
        wchar_t text[1024] = {};
        ::GetDlgItemTextW(dialog, 0xFFFF, text, static_cast<int>(std::size(text)));
        SeenDialog seen{.title = windowText(dialog), .fileName = windowText(name), .text = text,
                        .readOnlyBoxVisible = ::IsWindowVisible(::GetDlgItem(dialog, chx1)) != 0};
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
            if (::IsWindowVisible(::GetDlgItem(dialog, id))) seen.buttons.push_back(id);
        for (int i = 0; i < ::SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
            char item[256] = {};
            ::SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            seen.filters.emplace_back(item);
        }
        const DialogAnswer answer = seen_.size() < answers_.size() ? answers_[seen_.size()] : DialogAnswer{IDCANCEL};
        seen_.push_back(seen);
        if (!answer.fileName.empty()) ::SetWindowTextW(::GetDlgItem(dialog, answer.field), answer.fileName.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
    }

    static inline thread_local DialogAnswerer* current = nullptr;
    std::vector<DialogAnswer> answers_;
    std::vector<SeenDialog> seen_;
    HHOOK hook_ = ::SetWindowsHookExA(WH_CBT, &hookProc, nullptr, ::GetCurrentThreadId());
};

}  // namespace tess::test
