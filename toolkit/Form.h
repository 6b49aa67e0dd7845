// Top-level windows: Form, the form routing functions and the message loop.
#pragma once

#include "Element.h"

#include <vector>

namespace VantorUtility {

class Form;

using HotKeyHandler = void (*)(Form* form, UINT modifiers, UINT key);

// One hot key of a form; entry n (from 1) is registered under id n while the form is active.
struct HotKey {
    UINT modifiers;
    UINT key;
    HotKeyHandler handler;
};

// Selects the dialog variant of the Form constructor.
struct DialogWindow {};

// A top-level window with a window class of its own. Its children are built from inside
// the creation message (onCreate), before the window is first shown.
class Form : public GUIElement {
public:
    Form* companionForm = nullptr;
    bool topMost = true;
    bool minimizeBox = true;
    bool resizable = true;
    bool captioned = true;
    bool dialogStyle;
    bool modalFrame = false;
    std::vector<HotKey> hotKeys;
    HICON iconHandle = nullptr;
    std::int32_t iconResource = 0;

    // A main window.
    explicit Form(HINSTANCE moduleInstance);
    // A dialog window: tool-window frame, dialog keyboard handling in RunMessageLoop.
    Form(HINSTANCE moduleInstance, DialogWindow);
    ~Form() override;

    // Registers the form's class, makes the window (building the children), shows it.
    void Create() override;

    // The form's own operations that RouteCreated, RouteClose and RouteResize reach;
    // derived forms override them.
    virtual void OnCreate();
    virtual bool OnCloseQuery();
    virtual void OnResize();

    // Resizes the live window so that its client area is exactly clientWidth x clientHeight.
    void SetClientSize(int clientWidth, int clientHeight);
    // Centres the form on the primary screen (before creation only the fields change).
    void CenterOnScreen();
    // Sets the icon resource; on a live window loads it and sends it as the small icon.
    void SetIcon(std::int32_t resourceNumber);
    void RegisterHotKeys();
    void UnregisterHotKeys();
};

// The window of the first form made; its destruction ends RunMessageLoop.
extern HWND mainWindowHandle;

// Form callbacks that forward to the firing form's OnCreate, OnCloseQuery and OnResize.
void RouteCreated(GUIElement* element, HWND window);
bool RouteClose(GUIElement* element);
int RouteResize(GUIElement* element);

// Runs the message loop until the quit message; a dialog-style main form gets dialog keys.
void RunMessageLoop(Form* mainForm);

} // namespace VantorUtility
