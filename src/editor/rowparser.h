#pragma once
// What the row store needs of the row tokenizer: run over one row from a
// bracket-region state and tell where tokens end and the state at the end.
// The editor supplies the factory (its parser class bound to its view
// options); the store never knows the tokenizer itself.
#include <cstddef>
#include <memory>
#include <string>

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
};

class IRowParserFactory {
public:
    virtual ~IRowParserFactory() = default;
    // text must outlive the scanner (it is read as a NUL-terminated string).
    virtual std::unique_ptr<IRowScanner> CreateScanner(const std::string& text, int startState) const = 0;
};

// The state after the last token of text, scanned from startState.
int ScanEndState(const IRowParserFactory& factory, const std::string& text, int startState);
// The length of text up to the end of its first token, scanned from outside every region.
std::size_t FirstTokenLength(const IRowParserFactory& factory, const std::string& text);

} // namespace vellumo
