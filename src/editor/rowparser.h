#pragma once
// What the row store needs of the row tokenizer: run over one row from a
// bracket-region state and tell where tokens end and the state at the end.
// The editor supplies the factory (its parser class bound to its view
// options); the store never knows the tokenizer itself.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace vellumo {

// One short-lived scan over one row. The first token is read on creation.
class IRowScanner {
public:
    virtual ~IRowScanner() = default;
    // True when the current token is the end of the row.
    virtual bool AtEnd() const = 0;
    virtual void NextToken() = 0;
    // Byte offset just after the current token.
    virtual std::size_t TokenEnd() const = 0;
    virtual int BracketState() const = 0;
    // Every byte the scan has looked at so far lies before this offset (the
    // end of the text counts as a byte): the tokens up to here stay the same
    // whatever changes from there on.
    virtual std::size_t ReadHorizon() const { return SIZE_MAX; }
};

class IRowParserFactory {
public:
    virtual ~IRowParserFactory() = default;
    // text must outlive the scanner.
    virtual std::unique_ptr<IRowScanner> CreateScanner(std::string_view text, int startState) const = 0;
    // A scan taken up where an earlier scan of the same bytes ended a token
    // at offset from in state; null when the scanner cannot do that.
    virtual std::unique_ptr<IRowScanner> ResumeScanner(std::string_view text, int state, std::size_t from) const
    {
        (void)text, (void)state, (void)from;
        return nullptr;
    }
};

// The state after the last token of text, scanned from startState.
int ScanEndState(const IRowParserFactory& factory, std::string_view text, int startState);
// The length of text up to the end of its first token, scanned from outside every region.
std::size_t FirstTokenLength(const IRowParserFactory& factory, std::string_view text);

} // namespace vellumo
