#include "SQLQuery.h"

void TSQLQuery::Lines::clear()
{
    lines_.clear();
    query_.setStatementText(text());
}

void TSQLQuery::Lines::add(const std::string& line)
{
    lines_.push_back(line);
    query_.setStatementText(text());
}

void TSQLQuery::Lines::setText(const std::string& text)
{
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back(text.substr(start));
            break;
        }
        lines_.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    query_.setStatementText(this->text());
}

std::string TSQLQuery::Lines::text() const
{
    std::string joined;
    for (const std::string& line : lines_) {
        joined += line;
        joined += "\r\n";
    }
    return joined;
}

TSQLQuery::TSQLQuery(TComponent* owner)
    : TCustomSQLDataSet(owner)
    , sql_(*this)
{
}

void TSQLQuery::execSQL()
{
    executeStatement();
}
