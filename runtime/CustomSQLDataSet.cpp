#include "CustomSQLDataSet.h"

#include "Exception.h"
#include "SQLConnection.h"

#include <algorithm>

namespace {
bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}
}

TCustomSQLDataSet::TCustomSQLDataSet(TComponent* owner)
    : TComponent(owner)
{
}

TCustomSQLDataSet::~TCustomSQLDataSet()
{
    setSQLConnection(nullptr);
}

void TCustomSQLDataSet::setSQLConnection(TSQLConnection* connection)
{
    if (connection == connection_)
        return;
    close();
    if (connection_)
        connection_->removeFreeNotification(this);
    connection_ = connection;
    if (connection_)
        connection_->freeNotification(this);
}

void TCustomSQLDataSet::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component == connection_) {
        close();
        connection_ = nullptr;
    }
    TComponent::notification(component, operation);
}

TSQLConnection& TCustomSQLDataSet::requireConnection() const
{
    if (!connection_)
        throw EDatabaseError("Missing SQLConnection property");
    return *connection_;
}

void TCustomSQLDataSet::setStatementText(const std::string& text)
{
    close();
    text_ = text;
    parsed_ = parseSqlParams(text);
    std::vector<SqlParam> derived;
    for (const std::string& name : parsed_.names) {
        auto known = [&](const SqlParam& p) { return sameName(p.name(), name); };
        if (std::any_of(derived.begin(), derived.end(), known))
            continue;
        auto previous = std::find_if(params_.begin(), params_.end(), known);
        derived.push_back(previous != params_.end() ? *previous : SqlParam(name));
    }
    params_ = std::move(derived);
}

SqlParam& TCustomSQLDataSet::paramByName(const std::string& name)
{
    for (SqlParam& param : params_)
        if (sameName(param.name(), name))
            return param;
    throw EDatabaseError(formatMessage("Parameter '%s' not found", name));
}

DbxParams TCustomSQLDataSet::bindValues(const ParsedSql& parsed) const
{
    DbxParams values;
    values.reserve(parsed.names.size());
    for (const std::string& name : parsed.names) {
        auto param = std::find_if(params_.begin(), params_.end(),
                                  [&](const SqlParam& p) { return sameName(p.name(), name); });
        if (param == params_.end() || param->dataType() == SqlParam::DataType::Unknown)
            throw EDatabaseError(formatMessage("No value for parameter '%s'", name));
        values.push_back(param->toDbx());
    }
    return values;
}

void TCustomSQLDataSet::open()
{
    if (active_)
        return;
    result_ = requireConnection().query(parsed_.text, bindValues(parsed_));
    active_ = true;
    position_ = 0;
}

void TCustomSQLDataSet::close()
{
    active_ = false;
    result_ = DataPacket();
    position_ = 0;
}

void TCustomSQLDataSet::first()
{
    position_ = 0;
}

void TCustomSQLDataSet::next()
{
    if (!eof())
        ++position_;
}

Variant TCustomSQLDataSet::fieldValue(const std::string& name) const
{
    const int index = result_.indexOf(name);
    if (index < 0)
        throw EDatabaseError(formatMessage("Field '%s' not found", name));
    if (result_.rows.empty())
        return Variant();
    // Past the end the last row stays current, as with any dataset at its end.
    const size_t row = std::min<size_t>(static_cast<size_t>(position_), result_.rows.size() - 1);
    return result_.rows[row][static_cast<size_t>(index)];
}

std::string TCustomSQLDataSet::firstColumnText() const
{
    if (result_.fields.empty() || result_.rows.empty())
        return {};
    const size_t row = std::min<size_t>(static_cast<size_t>(position_), result_.rows.size() - 1);
    const Variant& value = result_.rows[row][0];
    return value.isNull() ? std::string() : value.asString();
}

void TCustomSQLDataSet::executeStatement()
{
    close();
    requireConnection().execute(parsed_.text, bindValues(parsed_));
}

DataPacket TCustomSQLDataSet::providerFetch(const std::string& commandText)
{
    close();
    if (commandText.empty())
        return requireConnection().query(parsed_.text, bindValues(parsed_));
    const ParsedSql parsed = parseSqlParams(commandText);
    return requireConnection().query(parsed.text, bindValues(parsed));
}
