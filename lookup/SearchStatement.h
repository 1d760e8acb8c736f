#pragma once
// The lookup dialog's search statement: six lines ("select * from ", the table name and a
// blank, "where ", the field name, the comparison, an empty line), each ended by CR LF.
// Bytes are CP950, as the database receives them.
//
// The search text is placed between single quotes with its own single quotes doubled, so a
// quote is searched for instead of ending the literal. "%" and "_" stay wildcards in every
// mode, as the comparison is always LIKE.

#include <string>
#include <vector>

enum class MatchMode { Exact = 0, Prefix = 1, Contains = 2 };

namespace SearchStatement {

// Doubles every single quote.
std::string quoteLiteralText(const std::string& text);
// "like '" t "'", "like '" t "%'" or "like '%" t "%'".
std::string comparisonLine(MatchMode mode, const std::string& searchText);
std::vector<std::string> lines(const std::string& table, const std::string& fieldName, MatchMode mode,
                               const std::string& searchText);
// Every line followed by CR LF.
std::string text(const std::vector<std::string>& lines);

}
