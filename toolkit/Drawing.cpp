#include "Drawing.h"

#include "GdiObjects.h"

#include <type_traits>

namespace VantorUtility {

namespace {

// Text is drawn from a fixed buffer of this many code units, terminator included, so drawing
// text never allocates; longer text is cut.
constexpr int textBufferLength = 1024;

// Copies at most textBufferLength - 1 code units of the text and terminates the copy; the text
// ends at its first null, as a C string does. Narrow text widens byte by byte, as WidenText
// does. Returns the length of the copy.
template <typename Char>
int CopyCut(const std::basic_string<Char>& text, wchar_t (&buffer)[textBufferLength])
{
    int length = 0;
    for (const Char unit : text) {
        if (unit == 0 || length == textBufferLength - 1)
            break;
        buffer[length++] = static_cast<wchar_t>(static_cast<std::make_unsigned_t<Char>>(unit));
    }
    buffer[length] = L'\0';
    return length;
}

UINT AlignmentFormat(int align)
{
    switch (align) {
    case 1:
        return DT_RIGHT;
    case 2:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

void DrawCutText(HDC dc, int x, int y, int width, int height, const wchar_t* text, int length,
                 COLORREF color, FontSpec* font, int align)
{
    // Only the glyphs are drawn: whatever lies under the text shows between them.
    ::SetBkMode(dc, TRANSPARENT);
    // Declared font first: the colour goes back before the font, and the font handle itself
    // stays with its FontSpec.
    const ScopedSelect fontSelection(dc, font ? font->GetHandle() : nullptr);
    const ScopedTextColor textColor(dc, color);
    if (width != 0 && height != 0) {
        RECT box{x, y, x + width, y + height};
        ::DrawTextW(dc, text, length, &box, AlignmentFormat(align));
    } else {
        ::TextOutW(dc, x, y, text, length);
    }
}

template <typename Char>
void WriteCutText(HDC dc, int x, int y, int width, int height, const std::basic_string<Char>& text,
                  COLORREF color, FontSpec* font, int align)
{
    if (!dc)
        return;
    wchar_t buffer[textBufferLength];
    const int length = CopyCut(text, buffer);
    DrawCutText(dc, x, y, width, height, buffer, length, color, font, align);
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

// The two memory contexts of a transparent transfer. The mask, made at the bitmap's own size,
// holds 1 where the bitmap is pure black and 0 elsewhere. Put into the target with SRCAND it
// clears exactly the pixels the bitmap will cover (its 1 bits arrive in the target's white
// background colour, its 0 bits in the black text colour); the bitmap then goes in with
// SRCPAINT, where its black adds nothing.
// Members are made in declaration order and torn down in reverse, so both bitmaps leave their
// contexts before the mask and the contexts are deleted.
class MaskedPicture {
public:
    MaskedPicture(Drawing& painter, HBITMAP bitmap)
        : colors(painter.dc),
          masks(painter.dc),
          size(BitmapSize(bitmap)),
          mask(::CreateBitmap(size.cx, size.cy, 1, 1, nullptr)),
          maskSelection(masks.Get(), mask.Get()),
          colorSelection(colors.Get(), bitmap)
    {
        if (!colors)
            painter.OnFailure();
        if (!masks)
            painter.OnFailure();
        if (!mask)
            painter.OnFailure();
        // A colour-to-monochrome copy turns the source's background colour into 1 bits.
        ::SetBkColor(colors.Get(), RGB(0, 0, 0));
        if (!::BitBlt(masks.Get(), 0, 0, size.cx, size.cy, colors.Get(), 0, 0, SRCCOPY))
            painter.OnFailure();
    }
    MaskedPicture(const MaskedPicture&) = delete;
    MaskedPicture& operator=(const MaskedPicture&) = delete;

    HDC Colors() const { return colors.Get(); }
    HDC Mask() const { return masks.Get(); }
    SIZE Size() const { return size; }

private:
    MemoryDC colors;
    MemoryDC masks;
    SIZE size;
    OwnedBitmap mask;
    ScopedSelect maskSelection;
    ScopedSelect colorSelection;
};

} // namespace

Drawing::Drawing(GUIElement* ownerElement) : owner(ownerElement)
{
}

Drawing::~Drawing()
{
    End();
}

void Drawing::OnFailure()
{
}

void Drawing::Begin()
{
    dc = ::BeginPaint(owner->windowHandle, &paint);
}

void Drawing::Attach(HDC borrowedDc)
{
    dc = borrowedDc;
    borrowed = true;
}

void Drawing::End()
{
    if (borrowed) {
        // The system owns an item context and a measurement gives back its own: only forget it.
        dc = nullptr;
        borrowed = false;
    } else if (dc) {
        ::EndPaint(owner->windowHandle, &paint);
        dc = nullptr;
    }
}

void Drawing::WriteText(int x, int y, int width, int height, const std::wstring& text, COLORREF color,
                        FontSpec* font, int align)
{
    WriteCutText(dc, x, y, width, height, text, color, font, align);
}

void Drawing::WriteText(int x, int y, int width, int height, const std::string& text, COLORREF color,
                        FontSpec* font, int align)
{
    WriteCutText(dc, x, y, width, height, text, color, font, align);
}

int Drawing::FontHeight(FontSpec* font)
{
    if (!dc || !font)
        return -1;
    const ScopedSelect fontSelection(dc, font->GetHandle());
    TEXTMETRICW metrics{};
    return ::GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : -1;
}

void Drawing::FillBox(int x, int y, int width, int height, COLORREF color)
{
    if (!dc)
        return;
    const OwnedPen pen(::CreatePen(PS_NULL, 0, 0));
    const OwnedBrush brush(::CreateSolidBrush(color));
    const ScopedSelect penSelection(dc, pen.Get());
    const ScopedSelect brushSelection(dc, brush.Get());
    // Rectangle leaves out its right and bottom edges, and with no pen to outline it the fill
    // ends one pixel short of x + width - 1 and y + height - 1.
    ::Rectangle(dc, x, y, x + width, y + height);
}

void Drawing::FrameBox(int x, int y, int width, int height, COLORREF color)
{
    if (!dc)
        return;
    const OwnedPen pen(::CreatePen(PS_SOLID, 1, color));
    const ScopedSelect brushSelection(dc, ::GetStockObject(NULL_BRUSH));
    const ScopedSelect penSelection(dc, pen.Get());
    ::Rectangle(dc, x, y, x + width, y + height);
}

void Drawing::Blit(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY)
{
    if (!dc)
        return;
    const MemoryDC source(dc);
    if (!source)
        OnFailure();
    const ScopedSelect pictureSelection(source.Get(), bitmap);
    if (!::BitBlt(dc, x, y, width, height, source.Get(), sourceX, sourceY, SRCCOPY))
        OnFailure();
}

void Drawing::BlitTransparent(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY)
{
    if (!dc)
        return;
    const MaskedPicture picture(*this, bitmap);
    if (!::BitBlt(dc, x, y, width, height, picture.Mask(), sourceX, sourceY, SRCAND))
        OnFailure();
    if (!::BitBlt(dc, x, y, width, height, picture.Colors(), sourceX, sourceY, SRCPAINT))
        OnFailure();
}

void Drawing::StretchTransparent(int x, int y, int width, int height, HBITMAP bitmap)
{
    if (!dc)
        return;
    const MaskedPicture picture(*this, bitmap);
    const SIZE size = picture.Size();
    if (width != 0 && height != 0) {
        if (!::StretchBlt(dc, x, y, width, height, picture.Mask(), 0, 0, size.cx, size.cy, SRCAND))
            OnFailure();
        if (!::StretchBlt(dc, x, y, width, height, picture.Colors(), 0, 0, size.cx, size.cy, SRCPAINT))
            OnFailure();
    } else {
        if (!::BitBlt(dc, x, y, size.cx, size.cy, picture.Mask(), 0, 0, SRCAND))
            OnFailure();
        if (!::BitBlt(dc, x, y, size.cx, size.cy, picture.Colors(), 0, 0, SRCPAINT))
            OnFailure();
    }
}

int TextLineHeight(GUIElement* element)
{
    if (!element)
        return -1;
    // The window's context as it is handed out: the element's font is not selected into it.
    const WindowDC window(element->windowHandle);
    TEXTMETRICW metrics{};
    if (!window || !::GetTextMetricsW(window.Get(), &metrics))
        return -1;
    return metrics.tmHeight;
}

int TextWidth(GUIElement* element, const std::wstring& text)
{
    if (!element)
        return -1;
    const WindowDC window(element->windowHandle);
    TEXTMETRICW metrics{};
    SIZE extent{};
    if (!window || !::GetTextMetricsW(window.Get(), &metrics) ||
        !::GetTextExtentPointW(window.Get(), text.c_str(), static_cast<int>(text.size()), &extent))
        return -1;
    // Text set top to bottom advances along y, so its extent is taller than wide. A short
    // line that is merely narrower than it is high measures exactly one line high and keeps
    // its width.
    const int width = extent.cy > extent.cx && extent.cy != metrics.tmHeight ? extent.cy : extent.cx;
    return width - metrics.tmOverhang;
}

HBITMAP LoadPictureFile(const std::string& path)
{
    return static_cast<HBITMAP>(::LoadImageW(nullptr, WidenText(path).c_str(), IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

} // namespace VantorUtility
