#pragma once
// An SQL dataset: a statement given as one command text, the source of a provider (the
// customer list's "SELECT * FROM CUSTOMER" / "ORDER BY CUST_ID").

#include "CustomSQLDataSet.h"

#include <string>

class TSQLDataSet : public TCustomSQLDataSet {
public:
    explicit TSQLDataSet(TComponent* owner = nullptr);

    const char* className() const noexcept override { return "TSQLDataSet"; }

    const std::string& commandText() const { return statementText(); }
    // Changing it closes the dataset and re-derives its parameters.
    void setCommandText(const std::string& text) { setStatementText(text); }
    // Runs the command text as a statement that returns no rows.
    void execSQL() { executeStatement(); }
};
