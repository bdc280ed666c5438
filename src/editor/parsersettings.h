#pragma once
// Process-wide values the row tokenizer reads. The application fills them
// when it applies its settings; the editor never reaches up for them.
#include <string_view>

#include "base/byteset.h"
#include "editor/editmode.h"

namespace vellumo {

struct TParserSettings {
    TEditMode EditMode = emStandard;  // only Ruby and CSS change tokenizing
    bool UrlEx = false;               // a URL runs on to the next terminator
    TByteSet MailCharSet = DefaultMailCharSet();
    TByteSet UrlCharSet = DefaultUrlCharSet();
    TByteSet UrlEndCharSet = UrlTerminators("<>,");

    static TByteSet DefaultMailCharSet();
    static TByteSet DefaultUrlCharSet();
    // NUL, TAB, LF and CR always end a URL; extra holds the user's terminators.
    static TByteSet UrlTerminators(std::string_view extra);

    // The user's extra characters only ever add to the sets.
    void AddMailChars(std::string_view chars);
    void AddUrlChars(std::string_view chars);
    void SetNotUrlChars(std::string_view chars) { UrlEndCharSet = UrlTerminators(chars); }
};

// The one instance the application fills and every parser reads by default.
TParserSettings& GlobalParserSettings() noexcept;

} // namespace vellumo
