#include "editor/parserfactory.h"

namespace vellumo {
namespace {

class TParserScanner : public IRowScanner {
public:
    TParserScanner(const std::string& text, const TEditorViewInfo* view, int startState, TBlankPolicy blanks,
                   const TParserSettings* settings)
        : parser_(std::string_view(text), view, startState, blanks, settings)
    {
    }

    bool AtEnd() const override { return parser_.TokenKind() == tkEnd; }
    void NextToken() override { parser_.NextToken(); }
    std::size_t TokenEnd() const override
    {
        return static_cast<std::size_t>(parser_.TokenPos()) + parser_.TokenText().size();
    }
    int BracketState() const override { return parser_.BracketState(); }

private:
    TEditorParser parser_;
};

} // namespace

std::unique_ptr<IRowScanner> TEditorParserFactory::CreateScanner(const std::string& text, int startState) const
{
    return std::make_unique<TParserScanner>(text, view_, startState, blanks_, settings_);
}

} // namespace vellumo
