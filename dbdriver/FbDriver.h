#pragma once
// The driver the plug-in's entry point hands out: it owns the loaded client library and makes
// connections over it.

#include "DbxDriverApi.h"
#include "FbClientLibrary.h"

#include <memory>

class FbDriver : public IDbxDriver {
public:
    explicit FbDriver(std::shared_ptr<FbClientLibrary> client);

    std::unique_ptr<IDbxConnection> createConnection() override;
    bool createDatabase(const std::string& database, const std::string& user,
                        const std::string& password, std::string& error) override;

private:
    std::shared_ptr<FbClientLibrary> client_;
};
