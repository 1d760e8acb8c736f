#include "SearchStatement.h"

namespace SearchStatement {

std::string quoteLiteralText(const std::string& text)
{
    // Big5 trail bytes are 0x40..0x7E and 0xA1..0xFE, never 0x27, so a byte-wise doubling
    // cannot split a character.
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

std::string comparisonLine(MatchMode mode, const std::string& searchText)
{
    const std::string t = quoteLiteralText(searchText);
    switch (mode) {
    case MatchMode::Prefix:
        return "like '" + t + "%'";
    case MatchMode::Contains:
        return "like '%" + t + "%'";
    case MatchMode::Exact:
        break;
    }
    return "like '" + t + "'";
}

std::vector<std::string> lines(const std::string& table, const std::string& fieldName, MatchMode mode,
                               const std::string& searchText)
{
    return {"select * from ", table + " ", "where ", fieldName, comparisonLine(mode, searchText), ""};
}

std::string text(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

}
