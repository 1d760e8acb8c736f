#pragma once
// A query object: the statement text is a list of lines (sent joined with CR LF), named
// parameters set as text or as doubles, ExecSQL for statements without rows and Open for a
// forward-only read of a SELECT (see TCustomSQLDataSet).

#include "CustomSQLDataSet.h"

#include <string>
#include <vector>

class TSQLQuery : public TCustomSQLDataSet {
public:
    // The statement's lines. Every change closes the query and re-derives its parameters.
    class Lines {
    public:
        void clear();
        void add(const std::string& line);
        // Replaces the lines by `text` split at line breaks (CR LF, LF or CR).
        void setText(const std::string& text);
        // The lines, each followed by CR LF.
        std::string text() const;
        int count() const { return static_cast<int>(lines_.size()); }
        const std::string& operator[](int index) const { return lines_.at(static_cast<size_t>(index)); }

    private:
        friend class TSQLQuery;
        explicit Lines(TSQLQuery& query) : query_(query) {}
        TSQLQuery& query_;
        std::vector<std::string> lines_;
    };

    explicit TSQLQuery(TComponent* owner = nullptr);

    const char* className() const noexcept override { return "TSQLQuery"; }

    Lines& sql() { return sql_; }
    const Lines& sql() const { return sql_; }

    // Prepares and runs a statement that returns no rows, in a transaction of its own.
    void execSQL();

private:
    Lines sql_;
};
