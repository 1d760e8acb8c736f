#pragma once
// Fixtures shared by the dataset tests: a provider source that answers from a table in
// memory, and a data link that records every notice it gets.

#include "DataLink.h"
#include "DataPacket.h"
#include "Field.h"
#include "ProviderSource.h"

#include <string>
#include <vector>

class FakeProviderSource : public IProviderSource {
public:
    // The statement the source runs when no command text is given.
    std::string ownStatement = "SELECT * FROM CUSTOMER";
    // Rows per statement; an unknown statement fails like a server error.
    std::vector<std::pair<std::string, DataPacket>> results;
    std::vector<std::string> statementsRun;

    DataPacket providerFetch(const std::string& commandText) override;
};

class RecordingLink : public TDataLink {
public:
    std::vector<std::string> events;

protected:
    void activeChanged() override { events.push_back(active() ? "active" : "inactive"); }
    void dataSetChanged() override { events.push_back("changed"); }
    void dataSetScrolled(int distance) override { events.push_back("scrolled " + std::to_string(distance)); }
    void recordChanged(TField* field) override { events.push_back("record " + (field ? field->fieldName() : "*")); }
    void editingChanged() override { events.push_back(editing() ? "editing" : "not editing"); }
    void layoutChanged() override { events.push_back("layout"); }
};

DataPacket customerPacket(int rows);
