#include "editor/parsersettings.h"

#include <string>

#include "editor/sjisutil.h"

namespace vellumo {

TByteSet TParserSettings::DefaultMailCharSet()
{
    TByteSet s;
    for (unsigned char c : std::string_view("!$%&*-./;=?@^_~")) s.Include(c);
    s.IncludeRange('0', '9');
    s.IncludeRange('A', 'Z');
    s.IncludeRange('a', 'z');
    return s;
}

TByteSet TParserSettings::DefaultUrlCharSet()
{
    TByteSet s;
    for (unsigned char c : std::string_view("#$%&+,-./:;=?@\\_~")) s.Include(c);
    s.IncludeRange('0', '9');
    s.IncludeRange('A', 'Z');
    s.IncludeRange('a', 'z');
    return s;
}

TByteSet TParserSettings::UrlTerminators(std::string_view extra)
{
    std::string all("\0\t\n\r", 4);
    all.append(extra);
    return StrToCharSet(all);
}

void TParserSettings::AddMailChars(std::string_view chars)
{
    MailCharSet |= StrToCharSet(chars);
}

void TParserSettings::AddUrlChars(std::string_view chars)
{
    UrlCharSet |= StrToCharSet(chars);
}

TParserSettings& GlobalParserSettings() noexcept
{
    static TParserSettings settings;
    return settings;
}

} // namespace vellumo
