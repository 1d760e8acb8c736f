#pragma once
// What the query object and the SQL dataset share: a connection, a statement text with named
// parameters, and a forward-only cursor over a result that was read whole into memory when
// it opened. Reading the result at once lets the statement's handle and transaction go at
// open, so a cursor left open holds nothing on the server and never sees rows that other
// statements commit while it is read.

#include "Component.h"
#include "DataPacket.h"
#include "ProviderSource.h"
#include "SqlParams.h"

#include <string>
#include <vector>

class TSQLConnection;

class TCustomSQLDataSet : public TComponent, public IProviderSource {
public:
    explicit TCustomSQLDataSet(TComponent* owner = nullptr);
    ~TCustomSQLDataSet() override;

    TSQLConnection* sqlConnection() const { return connection_; }
    void setSQLConnection(TSQLConnection* connection);

    // Parameters as the statement text defines them, in order of first appearance.
    std::vector<SqlParam>& params() { return params_; }
    // Fails with "Parameter '%s' not found" for a name the text does not define.
    SqlParam& paramByName(const std::string& name);

    // Runs the statement and positions on its first row.
    void open();
    // Ends the cursor; closing a closed dataset does nothing.
    void close();
    bool active() const { return active_; }

    void first();
    void next();
    // True once the cursor has moved past the last row, and at once when there are none.
    bool eof() const { return !active_ || position_ >= static_cast<int>(result_.rows.size()); }
    bool isEmpty() const { return result_.rows.empty(); }
    int recordCount() const { return static_cast<int>(result_.rows.size()); }

    const std::vector<FieldDesc>& fields() const { return result_.fields; }
    int fieldCount() const { return static_cast<int>(result_.fields.size()); }
    // The current row's value of the column with this result name; null when there is no
    // current row. Fails with "Field '%s' not found".
    Variant fieldValue(const std::string& name) const;
    // The first column as text: empty when there is no current row or the value is null.
    std::string firstColumnText() const;

    // The provider's fetch: the command text when given, else the own statement; every row.
    DataPacket providerFetch(const std::string& commandText) override;

    void notification(TComponent* component, Operation operation) override;

protected:
    // The statement text changed: close, and re-derive the parameters (values of names that
    // remain are kept).
    void setStatementText(const std::string& text);
    const std::string& statementText() const { return text_; }
    // Runs the statement that returns no rows.
    void executeStatement();

private:
    TSQLConnection& requireConnection() const;
    DbxParams bindValues(const ParsedSql& parsed) const;

    TSQLConnection* connection_ = nullptr;
    std::string text_;
    ParsedSql parsed_;
    std::vector<SqlParam> params_;
    DataPacket result_;
    bool active_ = false;
    int position_ = 0;
};
