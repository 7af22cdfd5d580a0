#pragma once
// Plays DialogSteps (DialogScript.h) on the real dialogs, boxes and file dialogs (name box cmb13) this thread opens
// while it lives. One step per timer message, which comes only when nothing else is queued: each step starts once the
// last is handled (file dialogs fill controls late) and a box it opened had its turn; a timer dies with its dialog.
#include "DialogScript.h"
#include "WinTestSupport.h"

#include <dlgs.h>

#include <functional>
#include <set>

namespace tess::test {

class DialogPlayer {
public:
    explicit DialogPlayer(DialogSteps steps) : steps_(std::move(steps)) { current = this; }
    ~DialogPlayer() { ::UnhookWindowsHookEx(hook_), current = nullptr; }
    DialogPlayer(const DialogPlayer&) = delete;
    DialogPlayer& operator=(const DialogPlayer&) = delete;
    // Called with each dialog once it is up, before its first step, and again when it comes back after another.
    std::function<void(HWND)> inspect;
    // A modeless dialog (the tag window) outlives its command: played to its end now, not by the next player's timer.
    void finish() {
        for (const HWND dialog : std::vector<HWND>(opened_.begin(), opened_.end())) {
            ::KillTimer(dialog, 1);
            while (::IsWindow(dialog) && play(dialog)) {}
        }
    }
    std::vector<std::string> seen() const {
        auto seen = seen_;
        if (!steps_.empty()) seen.emplace_back("closed early");
        return seen;
    }

private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        char name[16] = {};
        if (code == HCBT_DESTROYWND) current->opened_.erase(window);
        if (code == HCBT_ACTIVATE && ::GetClassNameA(window, name, sizeof name) && std::string(name) == "#32770" &&
            current->opened_.insert(window).second) {
            current->seen_.push_back(windowText(window));
            ::SetTimer(window, 1, USER_TIMER_MINIMUM, &timerProc);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK timerProc(HWND dialog, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(dialog, timer);
        // A box the dialog opened disables it: the next step waits for the box, which takes it.
        if (!::IsWindowEnabled(dialog) || current->play(dialog)) ::SetTimer(dialog, 1, USER_TIMER_MINIMUM, &timerProc);
    }
    static void press(HWND dialog, WPARAM key) {
        HWND focus = ::GetFocus();
        if (focus != dialog && !::IsChild(dialog, focus)) focus = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
        ::PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 1);
    }
    bool play(HWND dialog) {
        if (inspect && inspected_ != dialog) inspected_ = dialog, inspect(dialog);
        const bool leftOpen = steps_.empty();
        const DialogStep step = leftOpen ? DialogStep{DialogStep::CloseBox} : steps_.front();
        if (leftOpen) seen_.emplace_back("left open");
        else steps_.pop_front();
        const HWND item = ::GetDlgItem(dialog, step.id);
        switch (step.kind) {
        case DialogStep::Type: ::SetWindowTextW(item, win32::wide(step.text).c_str()); break;
        case DialogStep::Tick:
        case DialogStep::Untick:
            if ((::IsDlgButtonChecked(dialog, step.id) == BST_CHECKED) == (step.kind == DialogStep::Tick)) break;
            [[fallthrough]];
        case DialogStep::Click: ::SendMessageA(item, BM_CLICK, 0, 0); break;
        case DialogStep::Pick: ::SendMessageW(item, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(win32::wide(step.text).c_str())); break;
        case DialogStep::Enter: press(dialog, VK_RETURN); break;
        case DialogStep::Esc: press(dialog, VK_ESCAPE); break;
        case DialogStep::CloseBox: ::SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case DialogStep::Look:
            seen_.push_back(step.id ? windowText(item) : "focus " + std::to_string(::GetDlgCtrlID(::GetFocus())));
        }
        return !leftOpen;
    }

    static inline thread_local DialogPlayer* current = nullptr;
    DialogSteps steps_;
    std::vector<std::string> seen_;
    std::set<HWND> opened_;
    HWND inspected_ = nullptr;
    HHOOK hook_ = ::SetWindowsHookExA(WH_CBT, &hookProc, nullptr, ::GetCurrentThreadId());
};

}  // namespace tess::test
