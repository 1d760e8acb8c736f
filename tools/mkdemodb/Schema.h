#pragma once
// The demo database's tables: those the report and the customer look-up read.

namespace Schema {

// CREATE TABLE statements, run one by one before the data are loaded.
extern const char* const kTables[];
extern const int kTableCount;
// Indexes, created after the load (faster than maintaining them row by row).
extern const char* const kIndexes[];
extern const int kIndexCount;

}
