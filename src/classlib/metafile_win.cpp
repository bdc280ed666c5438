#include "classlib/metafile_win.h"

namespace vellumo {

bool TMetafile::Assign(HENHMETAFILE h)
{
    if (!h) return false;
    UINT size = GetEnhMetaFileBits(h, 0, nullptr);
    bool ok = false;
    if (size > 0) {
        std::vector<BYTE> bits(size);
        if (GetEnhMetaFileBits(h, size, bits.data()) == size) {
            bits_.swap(bits);
            ok = true;
        }
    }
    DeleteEnhMetaFile(h);
    return ok;
}

HENHMETAFILE TMetafile::CreateHandle() const
{
    if (bits_.empty()) return nullptr;
    return SetEnhMetaFileBits(static_cast<UINT>(bits_.size()), bits_.data());
}

bool TMetafile::Draw(HDC dc, const RECT& r) const
{
    HENHMETAFILE h = CreateHandle();
    if (!h) return false;
    BOOL ok = PlayEnhMetaFile(dc, h, &r);
    DeleteEnhMetaFile(h);
    return ok != FALSE;
}

TMetafileCanvas::TMetafileCanvas(TMetafile& meta, HDC reference) : meta_(meta)
{
    HDC screen = nullptr;
    HDC ref = reference;
    if (!ref) ref = screen = GetDC(nullptr);
    if (!ref) return;
    // The frame, in hundredths of a millimetre, of width x height device
    // units of the reference, so that the logical units map one to one.
    const int hsize = GetDeviceCaps(ref, HORZSIZE), hres = GetDeviceCaps(ref, HORZRES);
    const int vsize = GetDeviceCaps(ref, VERTSIZE), vres = GetDeviceCaps(ref, VERTRES);
    if (hsize > 0 && hres > 0 && vsize > 0 && vres > 0 && meta.Width() > 0 && meta.Height() > 0) {
        RECT frame{0, 0, MulDiv(meta.Width(), hsize * 100, hres), MulDiv(meta.Height(), vsize * 100, vres)};
        dc_ = CreateEnhMetaFileA(ref, nullptr, &frame, nullptr);
    }
    if (screen) ReleaseDC(nullptr, screen);
}

TMetafileCanvas::~TMetafileCanvas()
{
    if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

bool TMetafileCanvas::Close()
{
    if (!dc_) return false;
    HENHMETAFILE h = CloseEnhMetaFile(dc_);
    dc_ = nullptr;
    return meta_.Assign(h);
}

} // namespace vellumo
