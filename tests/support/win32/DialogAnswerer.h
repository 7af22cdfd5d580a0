#pragma once
// Answers the real modal boxes and dialogs (window class #32770) that this thread opens, as a
// user would: presses a button, or types a file name and presses OK. It records what each one
// showed. Scoped: the hook goes when the object goes.
#include <windows.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tess::test {

struct DialogAnswer {
    int button = IDOK;      // the command to press (IDOK, IDCANCEL, IDYES, IDNO, ...)
    std::string fileName;   // typed into a file dialog's name field first, when not empty

    static DialogAnswer press(int button) { return {button, {}}; }
    static DialogAnswer typeFileName(std::string name) { return {IDOK, std::move(name)}; }
};

// What a dialog showed when it was answered.
struct SeenDialog {
    std::string title;
    std::string text;          // the static texts, joined by newlines (a message box's message)
    std::vector<int> buttons;  // ids of the push buttons, in child order
    HWND owner = nullptr;
    // File dialogs only: the file-type list, the name proposed in the name field, the read-only box.
    std::vector<std::string> filters;
    std::string fileName;
    bool readOnlyBoxVisible = false;
};

class DialogAnswerer {
public:
    // Answers the dialogs in turn; when the answers run out it cancels (IDCANCEL).
    explicit DialogAnswerer(std::deque<DialogAnswer> answers);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    const std::vector<SeenDialog>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    void catchDialog(HWND dialog);
    void answer(HWND dialog);

    std::deque<DialogAnswer> answers_;
    std::vector<SeenDialog> seen_;
    std::map<HWND, WNDPROC> dialogProcs_;
    HHOOK hook_ = nullptr;
    DialogAnswerer* previous_ = nullptr;
};

}  // namespace tess::test
