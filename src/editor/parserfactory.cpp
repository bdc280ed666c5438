#include "editor/parserfactory.h"

namespace vellumo {
namespace {

class TParserScanner : public IRowScanner {
public:
    TParserScanner(std::string_view text, const TEditorViewInfo* view, int startState, TBlankPolicy blanks,
                   const TParserSettings* settings)
        : parser_(TEditorParser::CreateWithState(text, view, startState, blanks, settings))
    {
    }
    TParserScanner(std::string_view text, const TEditorViewInfo* view, int state, std::size_t from,
                   TBlankPolicy blanks, const TParserSettings* settings)
        : parser_(text, view, state, from, blanks, settings)
    {
    }

    bool AtEnd() const override { return parser_.TokenKind() == tkEnd; }
    void NextToken() override { parser_.NextToken(); }
    std::size_t TokenEnd() const override
    {
        return static_cast<std::size_t>(parser_.TokenPos()) + parser_.TokenText().size();
    }
    int BracketState() const override { return parser_.BracketState(); }
    std::size_t ReadHorizon() const override { return parser_.ReadHorizon(); }

private:
    TEditorParser parser_;
};

} // namespace

std::unique_ptr<IRowScanner> TEditorParserFactory::CreateScanner(std::string_view text, int startState) const
{
    return std::make_unique<TParserScanner>(text, view_, startState, blanks_, settings_);
}

std::unique_ptr<IRowScanner> TEditorParserFactory::ResumeScanner(std::string_view text, int state, std::size_t from) const
{
    return std::make_unique<TParserScanner>(text, view_, state, from, blanks_, settings_);
}

} // namespace vellumo
