#include "PlatformImageDecoder.h"

#include "Canvas.h"
#include "PixelImage.h"

#include <windows.h>

#include <gdiplus.h>
#include <shlwapi.h>

#include <memory>

// GDI+ reads the PNG from a stream over the data and hands its pixels over premultiplied.
bool decodeWithPlatform(const unsigned char* data, std::size_t size, PixelImage& out)
{
    if (!data || size == 0 || size > 0x7fffffff) return false;
    DrawingBackendLease lease;
    if (!lease.isReady()) return false;
    IStream* stream = SHCreateMemStream(data, static_cast<UINT>(size));
    if (!stream) return false;
    bool decoded = false;
    {
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
        const UINT width = bitmap ? bitmap->GetWidth() : 0;
        const UINT height = bitmap ? bitmap->GetHeight() : 0;
        if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok && width > 0 && height > 0 &&
            width <= PixelImage::kMaxEdge && height <= PixelImage::kMaxEdge)
        {
            PixelImage image(static_cast<int32_t>(width), static_cast<int32_t>(height));
            Gdiplus::BitmapData pixels{};
            pixels.Width = width;
            pixels.Height = height;
            pixels.Stride = static_cast<INT>(width * 4);
            pixels.PixelFormat = PixelFormat32bppPARGB;
            pixels.Scan0 = image.data();
            Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
            if (bitmap->LockBits(&all,
                                 Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                 PixelFormat32bppPARGB, &pixels) == Gdiplus::Ok)
            {
                bitmap->UnlockBits(&pixels);
                out = std::move(image);
                decoded = true;
            }
        }
    }
    stream->Release();
    return decoded;
}
