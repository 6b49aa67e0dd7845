// Scoped owners of GDI objects and device-context state, so that every object made for a
// drawing operation is released on every path out of it.
//
// Declare an object before the ScopedSelect that puts it into a context: locals are destroyed
// in reverse order, so the context lets go of the object before the object is deleted (GDI
// does not delete an object that is still selected and would leak it).
#pragma once

#include <windows.h>

namespace VantorUtility {

// A pen, brush or bitmap that this scope made; deleted when the scope ends.
template <typename Handle>
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(Handle object) noexcept : handle(object) {}
    ~OwnedGdiObject()
    {
        if (handle)
            ::DeleteObject(handle);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    // The object, still owned by this scope.
    Handle Get() const noexcept { return handle; }
    // True when the object was made.
    explicit operator bool() const noexcept { return handle != nullptr; }

private:
    Handle handle;
};

using OwnedBrush = OwnedGdiObject<HBRUSH>;
using OwnedPen = OwnedGdiObject<HPEN>;
using OwnedBitmap = OwnedGdiObject<HBITMAP>;

// A memory device context compatible with another one; deleted when the scope ends.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) noexcept : dc(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (dc)
            ::DeleteDC(dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    // The context, still owned by this scope.
    HDC Get() const noexcept { return dc; }
    // True when the context was made.
    explicit operator bool() const noexcept { return dc != nullptr; }

private:
    HDC dc;
};

// The client-area context of a window, handed back to the window when the scope ends.
class WindowDC {
public:
    // No window gives no context (GetDC of no window would hand out the whole screen's).
    explicit WindowDC(HWND ownerWindow) noexcept
        : window(ownerWindow), dc(ownerWindow ? ::GetDC(ownerWindow) : nullptr)
    {
    }
    ~WindowDC()
    {
        if (dc)
            ::ReleaseDC(window, dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    // The context, valid until the scope ends.
    HDC Get() const noexcept { return dc; }
    // True when the window handed out a context.
    explicit operator bool() const noexcept { return dc != nullptr; }

private:
    HWND window;
    HDC dc;
};

// Selects an object into a context and selects the previous object back when the scope ends.
// Nothing happens without a context or an object, or when the selection fails.
class ScopedSelect {
public:
    ScopedSelect(HDC target, HGDIOBJ object) noexcept
        : dc(target), previous(target && object ? ::SelectObject(target, object) : nullptr)
    {
    }
    ~ScopedSelect()
    {
        if (previous)
            ::SelectObject(dc, previous);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    // True when the object went into the context.
    explicit operator bool() const noexcept { return previous != nullptr; }

private:
    HDC dc;
    HGDIOBJ previous;
};

// Sets the text colour of a context and puts the previous colour back when the scope ends.
class ScopedTextColor {
public:
    ScopedTextColor(HDC target, COLORREF color) noexcept : dc(target), previous(::SetTextColor(target, color)) {}
    ~ScopedTextColor()
    {
        if (previous != CLR_INVALID)
            ::SetTextColor(dc, previous);
    }
    ScopedTextColor(const ScopedTextColor&) = delete;
    ScopedTextColor& operator=(const ScopedTextColor&) = delete;

private:
    HDC dc;
    COLORREF previous;
};

} // namespace VantorUtility
