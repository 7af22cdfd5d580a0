#pragma once
// Dialogs built from a DialogLayout in memory (the program has no dialog resources) and run for a
// DialogModel: modal, in the system's own loop, or modeless, served by the program's loop.
#include "platform/DialogModel.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Window.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tess::win32 {

// An in-memory DLGTEMPLATE with its DLGITEMTEMPLATEs, ready for the *IndirectParam functions.
std::vector<WORD> buildTemplate(const DialogLayout& layout);

// Win32 handling a dialog needs beyond its model and its layout: the drawing of an owner-drawn
// picture. It sees each message before the model, after the dialog is laid out and its labels
// have their looks; a value it returns is what the dialog procedure returns, and the model does
// not see that message.
using DialogHook = std::function<std::optional<INT_PTR>(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)>;

// Runs the dialog until its model closes it and returns the result it closed with, or -1 when
// the dialog could not be created (a control of an unknown class, say): the caller tells the user.
int runModal(HWND owner, const DialogLayout& layout, DialogModel& model, const DialogHook& hook = {});

class DialogHost;

// A dialog that runs beside the program's other windows. While it is open the router gives it
// the dialog keys (Tab, Enter, Esc, access keys). The model must outlive the dialog.
class ModelessDialog : public Window {
public:
    explicit ModelessDialog(MessageRouter& router);
    ~ModelessDialog() override;

    // Opens the dialog, closing the one open before; false when it could not be created.
    bool create(HWND owner, const DialogLayout& layout, DialogModel& model, DialogHook hook = {});
    bool isOpen() const { return hwnd() != nullptr; }
    bool wantsDialogKeys() const override { return true; }

private:
    friend class DialogHost;
    // The dialog's handle handed to Window (and the router) and taken back.
    void opened(HWND dialog);
    void closed(HWND dialog);

    MessageRouter& router_;
    std::unique_ptr<DialogHost> host_;
};

}  // namespace tess::win32
