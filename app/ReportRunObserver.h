#pragma once
// A listener on a report run, for measuring it: told when each phase begins and before each
// statement goes to the database. The run works the same with or without one.

#include "SqlParams.h"

#include <string>
#include <vector>

enum class ReportPhase {
    Prepare,      // window, hand-off files, parameter file, criteria
    CreateTable,
    FillSales,
    CreateIndex,
    MergeReturns,
    Minimum,
    FinalCheck,
    ResultFetch,
    Files,        // header record, rpttemp.ini, temp.cds, temp2.cds
    Preview,
    CleanUp,
    Finished,     // the run ended without error (window closed, or the no-data message shown)
};

const char* reportPhaseName(ReportPhase phase);

class ReportRunObserver {
public:
    virtual ~ReportRunObserver() = default;
    virtual void phaseStarted(ReportPhase /*phase*/) {}
    // A statement about to be opened or executed: its text (lines joined with CR LF) and its
    // parameters with their values.
    virtual void statementIssued(const std::string& /*text*/, const std::vector<SqlParam>& /*params*/) {}
};
