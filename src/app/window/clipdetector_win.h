#pragma once
// The clipboard watcher: joins the system's clipboard-viewer chain through a
// hidden window of its own and reports every change of the clipboard.
// Windows only; GUI thread only.
#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace vellumo {

class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TClipDetector {
public:
    using TClipEvent = std::function<void(TClipDetector& sender)>;

    TClipDetector() = default;
    virtual ~TClipDetector();
    TClipDetector(const TClipDetector&) = delete;
    TClipDetector& operator=(const TClipDetector&) = delete;

    // Do not report the change the system announces while the watcher joins.
    bool IgnoreFirst() const noexcept { return ignoreFirst_; }
    void SetIgnoreFirst(bool on) noexcept { ignoreFirst_ = on; }

    const TClipEvent& OnClipChange() const noexcept { return onClipChange_; }
    // A handler joins the chain (once); an empty one leaves it. Raises
    // EOutOfResources when the window cannot be made.
    void SetOnClipChange(TClipEvent handler);

    HWND WindowHandle() const noexcept { return window_; }
    HWND NextViewer() const noexcept { return next_; }

    // Tests: the watcher's window cannot be made.
    static void SetFailWindowForTests(bool fail) noexcept;

protected:
    virtual void DoClipChange();

private:
    static LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void Leave() noexcept;

    bool ignoreFirst_ = true;
    bool joining_ = false;
    HWND window_ = nullptr;
    HWND next_ = nullptr;
    TClipEvent onClipChange_;
};

// The main window's watcher: made with IgnoreFirst as last set (the settings
// apply it before the watcher exists) and then given its handler. A window
// that cannot be made leaves the program without watching; false then.
bool StartMainClipDetector(std::function<void()> onChange);
void StopMainClipDetector() noexcept;
void SetMainClipDetectorIgnoreFirst(bool ignoreFirst) noexcept;
// The main window's watcher; null while it does not watch.
TClipDetector* ClipDetector() noexcept;

} // namespace vellumo
