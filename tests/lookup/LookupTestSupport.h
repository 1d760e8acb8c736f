#pragma once
// Shared by the lookup tests: the QApplication, customer lists in memory, and text helpers.

#include "ClientDataSet.h"

#include <QApplication>
#include <memory>
#include <string>

QApplication& lookupTestApp();

// A customer list in memory (CUST_ID "C001"..., CUST_NAME "Name 1"...), open on the first.
std::unique_ptr<TClientDataSet> memoryCustomers(int rows);

// UTF-8 literal to the data layer's CP950 bytes.
std::string big5(const char* utf8);
