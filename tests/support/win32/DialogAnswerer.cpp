#include "DialogAnswerer.h"

#include "WinTestSupport.h"

#include <dlgs.h>

#include <string_view>

namespace tess::test {
namespace {

thread_local DialogAnswerer* current = nullptr;
const UINT kAnswerNow = ::RegisterWindowMessageA("TessalineTestAnswerDialog");

std::string className(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, static_cast<int>(std::size(name)));
    return name;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::deque<DialogAnswer> answers) : answers_(std::move(answers)) {
    previous_ = current;
    current = this;
    hook_ = ::SetWindowsHookExA(WH_CBT, &DialogAnswerer::hookProc, nullptr, ::GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
    ::UnhookWindowsHookEx(hook_);
    current = previous_;
}

LRESULT CALLBACK DialogAnswerer::hookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current) current->catchDialog(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// A dialog is activated before it has filled its controls (the file dialogs fill theirs later
// still), so the answer is posted and given once the dialog's own start-up messages are done.
void DialogAnswerer::catchDialog(HWND dialog) {
    if (className(dialog) != "#32770" || dialogProcs_.count(dialog)) return;
    dialogProcs_[dialog] = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogAnswerer::dialogProc)));
    ::PostMessageA(dialog, kAnswerNow, 0, 0);
}

LRESULT CALLBACK DialogAnswerer::dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogAnswerer* self = current;
    if (msg == kAnswerNow && self) {
        self->answer(dialog);
        return 0;
    }
    const WNDPROC original = self ? self->dialogProcs_.at(dialog) : nullptr;
    if (msg == WM_NCDESTROY && self) {
        ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        self->dialogProcs_.erase(dialog);
    }
    return ::CallWindowProcA(original, dialog, msg, wParam, lParam);
}

void DialogAnswerer::answer(HWND dialog) {
    SeenDialog seen;
    seen.title = windowText(dialog);
    seen.owner = ::GetWindow(dialog, GW_OWNER);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::string cls = className(child);
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        if (cls == "Button" && ((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) &&
            ::IsWindowVisible(child))
            seen.buttons.push_back(::GetDlgCtrlID(child));
        if (cls == "Static") {
            const std::string text = windowText(child);
            if (!text.empty()) seen.text += (seen.text.empty() ? "" : "\n") + text;
        }
    }
    if (HWND types = ::GetDlgItem(dialog, cmb1)) {
        const int count = static_cast<int>(::SendMessageA(types, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char item[256] = {};
            ::SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            seen.filters.emplace_back(item);
        }
    }
    HWND readOnly = ::GetDlgItem(dialog, chx1);
    seen.readOnlyBoxVisible = readOnly && ::IsWindowVisible(readOnly);
    HWND nameField = ::GetDlgItem(dialog, cmb13);
    if (!nameField) nameField = ::GetDlgItem(dialog, edt1);
    if (nameField) seen.fileName = windowText(nameField);
    seen_.push_back(seen);

    DialogAnswer answer = DialogAnswer::press(IDCANCEL);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (!answer.fileName.empty()) ::SetWindowTextA(nameField, answer.fileName.c_str());
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
}

}  // namespace tess::test
