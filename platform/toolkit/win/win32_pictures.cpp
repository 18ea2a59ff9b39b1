// The pictures of icon buttons as icons: the PNG files beside the library, decoded by
// GDI+, which every Windows has. GDI+ is loaded when the first picture is drawn, so a
// library that draws none does not load it.
#include <string>

#include "platform/toolkit/backend_pictures.h"
#include "platform/toolkit/win/win32_windows.h"

namespace platform::toolkit::win32 {

namespace {

struct StartupInput {
    UINT32 version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};

// GDI+'s flat functions, as the system's gdiplus.dll exports them.
struct Gdiplus {
    using Startup = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
    using BitmapFromFile = int(WINAPI*)(const WCHAR*, void**);
    using IconFromBitmap = int(WINAPI*)(void*, HICON*);
    using DisposeImage = int(WINAPI*)(void*);

    BitmapFromFile bitmapFromFile = nullptr;
    IconFromBitmap iconFromBitmap = nullptr;
    DisposeImage disposeImage = nullptr;

    template <class F>
    static F Function(HMODULE module, const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    Gdiplus() {
        HMODULE module = LoadLibraryW(L"gdiplus.dll");
        if (!module) return;
        auto startup = Function<Startup>(module, "GdiplusStartup");
        bitmapFromFile = Function<BitmapFromFile>(module, "GdipCreateBitmapFromFile");
        iconFromBitmap = Function<IconFromBitmap>(module, "GdipCreateHICONFromBitmap");
        disposeImage = Function<DisposeImage>(module, "GdipDisposeImage");
        ULONG_PTR token = 0;
        StartupInput input;
        if (!startup || startup(&token, &input, nullptr) != 0) bitmapFromFile = nullptr;
    }
    bool Usable() const { return bitmapFromFile && iconFromBitmap && disposeImage; }
};

}  // namespace

HICON LoadPictureIcon(std::string_view picture, int32_t dpi) {
    const auto file = PictureFile(picture, dpi);
    if (!file) return nullptr;
    static const Gdiplus gdiplus;
    if (!gdiplus.Usable()) return nullptr;
    void* bitmap = nullptr;
    if (gdiplus.bitmapFromFile(file->wstring().c_str(), &bitmap) != 0 || !bitmap) return nullptr;
    HICON icon = nullptr;
    if (gdiplus.iconFromBitmap(bitmap, &icon) != 0) icon = nullptr;
    gdiplus.disposeImage(bitmap);
    return icon;
}

}  // namespace platform::toolkit::win32
