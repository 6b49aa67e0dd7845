// The root of the toolkit: GUIElement and Child, fonts, the element registry and the
// conversions between the toolkit's narrow text and the platform's UTF-16.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace VantorUtility {

class GUIElement;

// A font description; its platform font is made on first use and lives as long as it does.
class FontSpec {
public:
    HFONT handle = nullptr;
    std::wstring faceName = L"System";
    int height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;

    FontSpec() = default;
    FontSpec(const std::string& face, int fontHeight);
    ~FontSpec();
    FontSpec(const FontSpec&) = delete;
    FontSpec& operator=(const FontSpec&) = delete;

    // The font handle, created from the members at the first call.
    HFONT GetHandle();
};

// Event callbacks: plain functions that receive the firing element first.
using CreateCallback = void (*)(GUIElement* element, HWND window);
using MouseCallback = int (*)(GUIElement* element, HWND window, int x, int y);
using KeyCallback = int (*)(GUIElement* element, int key);
using CharCallback = bool (*)(GUIElement* element, int character);
using NoticeCallback = int (*)(GUIElement* element);
using PlainCallback = void (*)(GUIElement* element);
using CloseCallback = bool (*)(GUIElement* element);
using MouseMoveCallback = int (*)(GUIElement* element, int x, int y);

struct ElementPosition {
    int left;
    int top;
};

struct ElementSize {
    int width;
    int height;
};

// The colour value that means "no colour of our own": the system colour is used.
constexpr COLORREF noColor = 0xFFFFFFFF;

// One element stands for at most one native window. Setters store first and touch the
// window only once it exists; Create builds the window from the stored values.
class GUIElement {
public:
    bool visible = true;
    bool waitCursor = false;
    bool handCursor = false;
    HWND tipWindow = nullptr;
    HWND windowHandle = nullptr;
    HINSTANCE instance = nullptr;
    WNDCLASSW windowClass{};
    FontSpec* font = nullptr;
    std::int32_t width = 100;
    std::int32_t height = 50;
    std::int32_t left = 100;
    std::int32_t top = 100;
    bool created = false;
    COLORREF backColor = noColor;
    std::wstring text;
    std::wstring focusText;
    bool backColorApplied = false;
    bool enabled = true;
    std::int32_t id = 0;
    std::string kind;
    std::string tipText;
    GUIElement* parent = nullptr;
    WNDPROC previousWindowProc = nullptr;
    CreateCallback onCreate = nullptr;
    bool createNotified = false;
    MouseCallback onMouseUp = nullptr;
    MouseCallback onMouseDown = nullptr;
    MouseCallback onDoubleClick = nullptr;
    MouseCallback onRightMouseUp = nullptr;
    MouseCallback onRightMouseDown = nullptr;
    MouseCallback onRightDoubleClick = nullptr;
    KeyCallback onKeyUp = nullptr;
    KeyCallback onKeyDown = nullptr;
    CharCallback onChar = nullptr;
    NoticeCallback onMove = nullptr;
    NoticeCallback onResize = nullptr;
    PlainCallback onPaint = nullptr;
    CloseCallback onClose = nullptr;
    NoticeCallback onDestroy = nullptr;
    NoticeCallback onGotFocus = nullptr;
    PlainCallback onLostFocus = nullptr;
    NoticeCallback onActivate = nullptr;
    NoticeCallback onDeactivate = nullptr;
    NoticeCallback onValueChanged = nullptr;
    MouseMoveCallback onMouseMove = nullptr;
    NoticeCallback onMouseHover = nullptr;
    NoticeCallback onMouseLeave = nullptr;

    explicit GUIElement(HINSTANCE moduleInstance);
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // Stores the size; on a live window resizes it in place and redraws.
    virtual void SetSize(int newWidth, int newHeight);
    // Stores the colour; on a live window paints the client area with it at once.
    virtual void SetBackColor(COLORREF color);
    virtual void SetEnabled(bool on);
    virtual void SetTextW(const std::wstring& newText);
    // Narrow text, widened byte by byte.
    virtual void SetText(const std::string& newText);
    virtual void HandleMouseUp(int x, int y);
    virtual void HandleMouseDown(int x, int y);
    virtual void HandleDoubleClick(int x, int y);
    virtual void HandleRightMouseUp(int x, int y);
    virtual void HandleRightMouseDown(int x, int y);
    virtual void HandleRightDoubleClick(int x, int y);
    virtual void HandleKeyUp(int key);
    virtual void HandleKeyDown(int key);
    // False swallows the character.
    virtual bool HandleChar(int character);
    virtual void HandleMouseMove(int x, int y);
    virtual void HandleMouseHover();
    virtual void HandleMouseLeave();
    virtual void Focus();
    virtual void HandleMove();
    virtual void HandleResize();
    virtual void HandlePaint();
    // The brush for a child control's colour request, or none for the system colours.
    virtual HBRUSH HandleControlColor(HDC deviceContext);
    // False keeps the window open.
    virtual bool HandleClose();
    virtual void HandleDestroy();
    virtual void HandleGotFocus();
    virtual void HandleLostFocus();
    virtual void HandleActivate();
    virtual void HandleDeactivate();
    // Stores the handle if none is stored yet and raises onCreate the first time only.
    virtual void HandleCreate(HWND window);
    virtual void Redraw();
    virtual bool GetWaitCursor();
    virtual bool GetHandCursor();
    virtual void SetWaitCursor(bool on);
    virtual void SetHandCursor(bool on);
    virtual void HandleShow();
    // List-style notices: 1 header item resized, 2 header item clicked, 3 right click.
    virtual void HandleItemNotify(int noticeKind, const std::vector<std::int32_t>& values,
                                  const std::vector<std::string>& strings);
    // Makes the native window.
    virtual void Create() = 0;

    // Creates the window if needed and shows it without activating it.
    void Show();
    void Hide();
    void SetPosition(int newLeft, int newTop);
    void SetFont(FontSpec* newFont);
    ElementPosition GetPosition();
    ElementSize GetSize();
    // The window text, refreshed from the live window.
    std::wstring GetTextW();
    std::string GetText();
    void InstallTooltip(HWND window);
    void UpdateTooltip();

protected:
    // Replaces a native control's procedure with the toolkit's, keeping the old one.
    void SubclassWindow();
};

// Marks an element that lives inside a container; its form is its parent.
class Child : public GUIElement {
public:
    explicit Child(GUIElement* container);
};

// Every live element, in construction order.
extern std::vector<GUIElement*> elementRegistry;
// The one counter behind control ids, menu item ids, timer ids and window class names.
extern std::int32_t nextElementId;

// Increments nextElementId and returns the new value.
std::int32_t DrawElementId();
// The first element with this window; failing that, the newest element if it has no window yet.
GUIElement* FindElementByWindow(HWND window);
GUIElement* FindElementById(std::int32_t elementId);

// Each byte becomes the code unit of the same value (ISO 8859-1).
std::wstring WidenText(const std::string& narrow);
// Each code unit becomes its low 8 bits.
std::string NarrowText(const std::wstring& wide);
std::wstring FormatInt64Wide(std::int64_t value);

} // namespace VantorUtility
