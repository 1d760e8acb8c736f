#include "ReportRunObserver.h"

const char* reportPhaseName(ReportPhase phase)
{
    switch (phase) {
    case ReportPhase::Prepare: return "prepare";
    case ReportPhase::CreateTable: return "create";
    case ReportPhase::FillSales: return "fill";
    case ReportPhase::CreateIndex: return "index";
    case ReportPhase::MergeReturns: return "merge";
    case ReportPhase::Minimum: return "minimum";
    case ReportPhase::FinalCheck: return "check";
    case ReportPhase::ResultFetch: return "fetch";
    case ReportPhase::Files: return "files";
    case ReportPhase::Preview: return "preview";
    case ReportPhase::CleanUp: return "cleanup";
    case ReportPhase::Finished: return "finished";
    }
    return "?";
}
