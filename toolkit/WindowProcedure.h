// The toolkit's one window procedure and the process-wide state it keeps.
#pragma once

#include "Element.h"

namespace VantorUtility {

class Form;

// Class procedure of the toolkit's own windows and subclass procedure of every native
// control it makes: finds the element of the window and calls its Handle... operation.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A hover-and-leave tracking request is in force (one flag for all windows).
extern bool mouseTracking;
// The form that last became the foreground window.
extern Form* activeForm;
// The floating panel that last became the foreground window.
extern GUIElement* activePanel;
// The panel that takes the mouse-wheel messages of windows that are not panels.
extern GUIElement* lastPanel;

// Drops every reference the procedure keeps to an element that is going away.
void ForgetElement(GUIElement* element);

} // namespace VantorUtility
