#pragma once
// Enhanced metafiles kept as bytes, and a canvas that records one. Windows only.
#include <windows.h>

#include <vector>

namespace vellumo {

// A recorded picture of a given size in logical units. It keeps the
// metafile's bytes rather than a handle, so that many pages do not use up
// the process's GDI handles.
class TMetafile {
public:
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetSize(int width, int height) noexcept
    {
        width_ = width;
        height_ = height;
    }
    bool Empty() const noexcept { return bits_.empty(); }
    std::size_t ByteSize() const noexcept { return bits_.size(); }

    // Takes over a closed metafile: its bytes are kept and the handle deleted.
    bool Assign(HENHMETAFILE h);
    // A new handle of the picture (the caller deletes it), or nullptr.
    HENHMETAFILE CreateHandle() const;
    // Plays the picture stretched into r of dc.
    bool Draw(HDC dc, const RECT& r) const;

private:
    std::vector<BYTE> bits_;
    int width_ = 0;
    int height_ = 0;
};

// Records a metafile of the metafile's size; reference nullptr is the screen.
// Handle() is nullptr when the recording could not be started.
class TMetafileCanvas {
public:
    TMetafileCanvas(TMetafile& meta, HDC reference);
    ~TMetafileCanvas();
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

    HDC Handle() const noexcept { return dc_; }
    // Ends the recording and stores it in the metafile; false on failure.
    bool Close();

private:
    TMetafile& meta_;
    HDC dc_ = nullptr;
};

} // namespace vellumo
