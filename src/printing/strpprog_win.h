#pragma once
// The progress window of long print and preview passes: a caption, a bar
// and a cancel button that Esc also presses. Modeless; it pumps the
// thread's messages when updated, which is when a cancel takes effect.
// Windows only.
#include <memory>
#include <string>

#include "classlib/form_win.h"
#include "printing/strprint_win.h"

namespace vellumo {

extern const char* const kCaptionCancel;  // "キャンセル"

class TFormStrProgress : public TForm, public TPrintProgress {
public:
    // owner: the printing component it serves (nullptr for none).
    explicit TFormStrProgress(TStringsPrinter* owner = nullptr);

    TStringsPrinter* PrinterOwner() const noexcept { return printerOwner_; }
    bool Cancelled() const noexcept { return cancelled_; }

    // Caption and bar (Round(done / total x 100); total 0 counts as done),
    // repainted at once; then pending messages are processed.
    void UpdatePrintProgress(const std::string& caption, int total, int done);
    // The same; false once the user has cancelled.
    bool Update(const std::string& caption, int total, int done) override;

    TLabel Label1{*this};
    TProgressBar ProgressBar1{*this};
    TButton Button1{*this, kCaptionCancel};

protected:
    void CreateParams(TCreateParams& params) override;
    void DoShow() override;

private:
    TStringsPrinter* printerOwner_;
    bool cancelled_ = false;
};

// Creates the window for the component, with the caption in its label and
// the bar at 0, and shows it modeless.
std::unique_ptr<TFormStrProgress> ShowPrintProgress(TStringsPrinter& owner, const std::string& caption);

} // namespace vellumo
