#pragma once
// The report run behind the OK button: builds the report in the database from the window's
// criteria, hands it to the preview library and cleans up. One object per main window, so
// that what a run keeps between runs lives here.
//
// The run holds the user-interface thread from start to end: its statements go to the
// database on a worker thread while that thread keeps the windows painted, user input waiting
// for the run's end (docs/report-run.md). An error stops it where it happens and reaches the
// caller (the button's handler, which reports it); the window, the database and the files
// stay as the run left them. Only the preview step is followed by a
// clean-up whatever happens: once the plug-in is loaded, it is unloaded and the report table
// is dropped before any error of the preview goes on.

#include "ReportStatements.h"

#include <optional>

class Tfrmcust_prod;
class TSQLQuery;
class ReportRunObserver;
enum class ReportPhase;

class ReportRun {
public:
    explicit ReportRun(Tfrmcust_prod& form);
    ~ReportRun();

    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    // One run, from the criteria to the closed window. Errors stop the run where they
    // happen and reach the caller.
    void run();

    // For measuring (benchmarks); null for none. Not owned.
    void setObserver(ReportRunObserver* observer) { observer_ = observer; }

    // The values of the last run (the table name among them), for tests and diagnostics.
    const ReportValues& values() const { return values_; }

private:
    // Building the report table.
    void prepareWindow();
    void deletePreviousHandoffFiles();
    void checkParameterFile();
    void readCriteria();
    void buildTable();
    void mergeReturns();
    void applyMinimum();
    // Handing it over.
    bool anythingToReport();
    void fetchResult();
    void fillHeader();
    void writeHandoffFiles();
    void showPreview();
    void cleanUp(void* library);

    void addMemoLine(const QString& line);
    void setStatement(TSQLQuery& query, const StatementLines& lines);
    void execute(TSQLQuery& query, const StatementLines& lines);
    void execute(TSQLQuery& query);
    void open(TSQLQuery& query, const StatementLines& lines);
    void open(TSQLQuery& query);
    void phase(ReportPhase phase);

    Tfrmcust_prod& form_;
    ReportValues values_;
    // When the run started: the time of day its table is named after.
    QDateTime started_;
    // The result statement's lines, made at the start of the building and dropped when the
    // run has ended well.
    std::optional<StatementLines> resultLines_;
    ReportRunObserver* observer_ = nullptr;
};
