#include "Pictures.h"

#include "Resources.h"

#include <objbase.h>
#include <shlwapi.h>
#include <wincodec.h>

namespace pictures {
namespace {

// A COM interface pointer released when it goes.
template <typename T>
struct Com {
    T* p = nullptr;
    ~Com()
    {
        if (p)
            p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

// The PNG resource's first frame, decoded.
bool decode(IWICImagingFactory* factory, int resource, IWICBitmapFrameDecode** frame)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    Com<IStream> stream;
    stream.p = SHCreateMemStream(static_cast<const BYTE*>(bytes), SizeofResource(module, found));
    Com<IWICBitmapDecoder> decoder;
    return stream.p
        && SUCCEEDED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnLoad, decoder.out()))
        && SUCCEEDED(decoder->GetFrame(0, frame));
}

// A PNG resource decoded into a top-down 32-bit bitmap of the wanted size
// and pixel format. A picture not of that size is scaled, from the larger
// resource when there is one.
HBITMAP decodeAt(int resource, int largerResource, SIZE wanted, REFWICPixelFormatGUID format)
{
    if (wanted.cx <= 0 || wanted.cy <= 0)
        return nullptr;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HBITMAP bitmap = nullptr;
    {
        Com<IWICImagingFactory> factory;
        Com<IWICBitmapFrameDecode> frame;
        UINT width = 0, height = 0;
        const auto sizeDiffers = [&] {
            return SUCCEEDED(frame->GetSize(&width, &height)) && (LONG(width) != wanted.cx || LONG(height) != wanted.cy);
        };
        if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out())))
            && decode(factory.p, resource, frame.out()) && largerResource && sizeDiffers()) {
            frame.p->Release();
            frame.p = nullptr;
            decode(factory.p, largerResource, frame.out());
        }
        Com<IWICBitmapScaler> scaler;
        Com<IWICFormatConverter> converter;
        IWICBitmapSource* source = frame.p;
        if (source && sizeDiffers() && SUCCEEDED(factory->CreateBitmapScaler(scaler.out()))
            && SUCCEEDED(scaler->Initialize(frame.p, UINT(wanted.cx), UINT(wanted.cy), WICBitmapInterpolationModeFant)))
            source = scaler.p;
        if (source && SUCCEEDED(factory->CreateFormatConverter(converter.out()))
            && SUCCEEDED(converter->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                               WICBitmapPaletteTypeCustom))) {
            BITMAPINFO info{};
            info.bmiHeader = {sizeof(BITMAPINFOHEADER), wanted.cx, -wanted.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            void* bits = nullptr;
            bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            const UINT stride = UINT(wanted.cx) * 4;
            if (bitmap && FAILED(converter->CopyPixels(nullptr, stride, stride * UINT(wanted.cy), static_cast<BYTE*>(bits)))) {
                DeleteObject(bitmap);
                bitmap = nullptr;
            }
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return bitmap;
}

}  // namespace

HBITMAP background(SIZE wanted)
{
    return decodeAt(OMBREL_BACKGROUND_96, OMBREL_BACKGROUND_192, wanted, GUID_WICPixelFormat32bppBGR);
}

HBITMAP unlockButton(bool highlighted, SIZE wanted)
{
    return decodeAt(highlighted ? OMBREL_UNLOCK_HIGHLIGHTED : OMBREL_UNLOCK_REST, 0, wanted,
                    GUID_WICPixelFormat32bppPBGRA);
}

HICON icon(int size)
{
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(OMBREL_ICON), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace pictures
