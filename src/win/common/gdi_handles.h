#pragma once
// RAII owners for the GDI objects and device contexts the program holds, so every path releases
// them. (Files are the platform layer's: platform/windows/unique_handle.h.)
#include <windows.h>

#include <utility>

namespace pxm::win {

// Owns a GDI object (bitmaps); deleted on destruction or reset.
template <typename T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object) : object_(object) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    ~GdiObject() { reset(); }

    T get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void reset(T object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    T object_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;

// A memory device context compatible with another, with one object selected into it for its
// lifetime; the earlier selection is restored before the context is deleted.
class MemoryDC {
public:
    MemoryDC(HDC compatibleWith, HGDIOBJ selected)
        : dc_(CreateCompatibleDC(compatibleWith)), previous_(dc_ ? SelectObject(dc_, selected) : nullptr) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (!dc_) return;
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace pxm::win
