// Word wrap. An EDIT control cannot change between wrapping and not wrapping once it exists, so
// switching re-creates the editor with the other style and moves the document across.
#include "app/StatusBar.h"
#include "app/win32/MainWindow.h"
#include "editor/Gutter.h"
#include "editor/win32/EditorSubclass.h"
#include "resources/resource.h"

#include <algorithm>

namespace tess::win32 {

// The new control has no sunken edge. The bookmarks are dropped: with the other wrapping the
// control's lines are no longer the lines they were set on.
void MainWindow::toggleWordWrap() {
    const bool modified = editor_.modified();
    const std::string text = editor_.text();
    const int limit = editor_.textLimit();  // raised by loading a long document
    const bool focused = ::GetFocus() == editorHwnd_;
    RECT place{};
    ::GetWindowRect(editorHwnd_, &place);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
    ::DestroyWindow(editorHwnd_);

    app_.settings.wordWrap = app_.settings.wordWrap != 0 ? 0 : 1;
    showWordWrapCheck();
    createEditor(app_.settings.wordWrap != 0, 0);
    installEditorSubclass(editorHwnd_, *this);
    ::SetWindowPos(editorHwnd_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    editor_.setTextLimit(std::max(limit, editor_.textLimit()));
    app_.bookmarks.clear();
    applyEditorFont();
    editor_.setText(text);
    ::ShowWindow(editorHwnd_, SW_RESTORE);
    editor_.setModified(modified);
    if (focused) ::SetFocus(editorHwnd_);

    // The font step refreshed the gutter while the control was still empty, and the caret is
    // now at the start of the text.
    Context ctx = context();
    refreshGutter(ctx);
    updateStatusBar(ctx);
}

// Called once the settings are loaded and before the document is: the editor is still empty, so
// it is simply made again the way the settings say, sunken edge and all.
void MainWindow::applySavedWordWrap() {
    if (app_.settings.wordWrap == 0) return;
    ::DestroyWindow(editorHwnd_);
    createEditor(true);
}

void MainWindow::showWordWrapCheck() {
    ::CheckMenuItem(::GetMenu(hwnd_), IDM_WORDWRAP,
                    MF_BYCOMMAND | (app_.settings.wordWrap != 0 ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace tess::win32
