// The painter behind every paint of the toolkit, two text measurements on an element's window
// and the loader of picture files.
#pragma once

#include "Element.h"

#include <windows.h>

#include <string>

namespace VantorUtility {

// A short-lived painter bound to one element and one device context: built on the stack for
// one paint, it draws text, boxes and bitmaps and lets go of the context when it ends.
// Every drawing operation does nothing while there is no context.
class Drawing {
public:
    GUIElement* owner;
    HDC dc = nullptr;
    // The context came from elsewhere (an owner-drawn item); End must not end a paint on it.
    bool borrowed = false;
    PAINTSTRUCT paint{};

    explicit Drawing(GUIElement* ownerElement);
    // Ends the paint, if one is still open.
    virtual ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // Called when a memory context, a mask or a block transfer fails; drawing goes on.
    // Does nothing here: it is the place where a derived painter may report.
    virtual void OnFailure();

    // Starts painting the owner's window; for a drawing that holds no context yet.
    void Begin();
    // Draws on a context owned by someone else (an owner-drawn button's item context).
    void Attach(HDC borrowedDc);
    // Ends the paint, or forgets a borrowed context; safe to call more than once.
    void End();

    // Draws at most 1023 characters, top-aligned and clipped to the rectangle; align 1 is
    // right, 2 centred, anything else left. A zero width or height draws at x, y unclipped.
    void WriteText(int x, int y, int width, int height, const std::wstring& text, COLORREF color,
                   FontSpec* font, int align);
    // The same with narrow text, each byte read as the code unit of the same value.
    void WriteText(int x, int y, int width, int height, const std::string& text, COLORREF color,
                   FontSpec* font, int align);
    // Line height of the font in this context, or -1 without a context or a font.
    int FontHeight(FontSpec* font);
    // Fills the pixels x .. x + width - 2 by y .. y + height - 2 with the colour.
    void FillBox(int x, int y, int width, int height, COLORREF color);
    // Draws the one-pixel outline on columns x, x + width - 1 and rows y, y + height - 1.
    void FrameBox(int x, int y, int width, int height, COLORREF color);
    // Copies the bitmap's rectangle at sourceX, sourceY, width by height to x, y.
    void Blit(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY);
    // As Blit, but the bitmap's pure black pixels leave the destination as it is.
    void BlitTransparent(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY);
    // The whole bitmap with black transparent, stretched to width by height; a zero width or
    // height draws it at its own size.
    void StretchTransparent(int x, int y, int width, int height, HBITMAP bitmap);
};

// Line height of the default font of the element's window, or -1 when it cannot be measured.
int TextLineHeight(GUIElement* element);
// Width of the text in the default font of the element's window, or -1 when it cannot be measured.
int TextWidth(GUIElement* element, const std::wstring& text);
// Loads a bitmap file as a DIB section owned by the caller; none when it cannot be loaded.
HBITMAP LoadPictureFile(const std::string& path);

} // namespace VantorUtility
