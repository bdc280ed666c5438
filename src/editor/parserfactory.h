#pragma once
// The row tokenizer bound to a view's options, as the row store uses it to
// carry bracket-region states from row to row.
#include "editor/parser.h"
#include "editor/rowparser.h"

namespace vellumo {

class TEditorParserFactory : public IRowParserFactory {
public:
    // view and settings must outlive the factory; null settings means the
    // process-wide values.
    explicit TEditorParserFactory(const TEditorViewInfo* view, TBlankPolicy blanks = TBlankPolicy::SkipSpaces,
                                  const TParserSettings* settings = nullptr)
        : view_(view), blanks_(blanks), settings_(settings)
    {
    }

    std::unique_ptr<IRowScanner> CreateScanner(std::string_view text, int startState) const override;
    std::unique_ptr<IRowScanner> ResumeScanner(std::string_view text, int state, std::size_t from) const override;

private:
    const TEditorViewInfo* view_;
    TBlankPolicy blanks_;
    const TParserSettings* settings_;
};

} // namespace vellumo
