#pragma once
// The editor and its line-number gutter as the main window shows them: the two EDIT controls, the
// font they share, the background, the key and mouse handling in front of the editor, and word
// wrap, which needs a new control.
#include "editor/EditorState.h"
#include "editor/KeyHandling.h"
#include "platform/win32/EditControlWin.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Window.h"

#include <windows.h>

namespace tess::win32 {

// What the editor needs from the window that holds it.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual EditorContext editorContext() = 0;
    // The program's context menu, owned by the host window, which receives its commands.
    virtual HMENU contextMenu() const = 0;
    // The font was measured anew: the host lays out the gutter and the editor again.
    virtual void editorMetricsChanged() = 0;
};

class EditorView {
public:
    EditorView(EditorHost& host, App& app);
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    // Creates the gutter (id 102) and the editor (id 103) in parent; false when either could not
    // be made.
    bool create(HWND parent, HINSTANCE instance, bool wrap);
    // Puts the key and mouse handling in front of the editor (once the start-up text is in).
    bool installEditorSubclass();

    HWND editorHwnd() const { return editor_.hwnd(); }
    HWND gutterHwnd() const { return gutter_; }
    EditControlWin& editor() { return editor_; }
    EditorState& state() { return state_; }

    // The editor font from fontSize, shared by both controls; keeps the modified flag, measures
    // the font and has the host lay out again.
    void applyFont();
    // Black text on the chosen background, for WM_CTLCOLOREDIT of the editor.
    HBRUSH paint(HDC dc);
    // Makes the still empty editor again as a wrapping one, as start-up does for a saved choice.
    void startWrapped();
    // Re-creates the editor with the other wrapping, moving the document across.
    void toggleWordWrap();
    // The gutter's text; a text that did not change is not set again (no repaint).
    void setGutterText(std::string_view text);
    // Gutter and editor sized to the given client sizes, the editor at x.
    // What the editor's edge and scroll bars add to its client size.
    SIZE editorFrame() const;
    void place(int gutterX, int gutterY, SIZE gutterClient, int editorX, int editorY, SIZE editorClient);

private:
    class EditorSubclass : public Subclass {
    public:
        explicit EditorSubclass(EditorView& view) : view_(view) {}

    protected:
        LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        void openContextMenu(POINT screen);
        EditorView& view_;
        EditorKeys keys_;
    };

    HWND createEditor(bool wrap);

    EditorHost& host_;
    App& app_;
    EditorState state_;
    HWND parent_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HWND gutter_ = nullptr;
    EditControlWin editor_;
    EditorSubclass keys_{*this};
    UniqueFont font_;
    UniqueBrush background_;
    COLORREF backgroundColor_ = 0;
};

}  // namespace tess::win32
