#pragma once
// The report run behind the OK button: builds the report in the database from the window's
// criteria, hands it to the preview library and cleans up. One object per main window, so
// that what a run keeps between runs lives here.

class Tfrmcust_prod;

class ReportRun {
public:
    explicit ReportRun(Tfrmcust_prod& form);
    ~ReportRun();

    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    // One run, from the criteria to the closed window. Errors stop the run where they
    // happen and reach the caller.
    void run();

private:
    Tfrmcust_prod& form_;
};
