#pragma once
// The one SQL connection of the program. Opening it follows the data-access layer's rules:
// the connection's section of the connection configuration file replaces the parameters,
// the driver's section of the driver configuration file names the driver plug-in, its entry
// point and the client library; the plug-in is loaded, options are applied, and the
// connection is made with the "Database", "User_Name" and "Password" parameters.
//
// Statements never share a transaction: the driver runs each one in its own and commits it
// when it completes (see docs/database.md for the transaction rules).

#include "Component.h"
#include "DataPacket.h"
#include "DbxDriverApi.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class StatementWorker;

class TSQLConnection : public TComponent {
public:
    // Connection parameters: key=value pairs in order, keys matched without regard to case.
    class ParamList {
    public:
        // The value of `key`, or empty text when it is absent.
        std::string value(const std::string& key) const;
        bool contains(const std::string& key) const;
        // Replaces the value of `key`, or appends the pair.
        void setValue(const std::string& key, const std::string& value);
        void clear() { entries_.clear(); }
        const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }
        // The parameters' boolean rule: true exactly when the trimmed value, upper-cased, is "TRUE".
        static bool isTrue(const std::string& value);

    private:
        std::vector<std::pair<std::string, std::string>> entries_;
    };

    explicit TSQLConnection(TComponent* owner = nullptr);
    ~TSQLConnection() override;

    const char* className() const noexcept override { return "TSQLConnection"; }

    const std::string& connectionName() const { return connectionName_; }
    void setConnectionName(const std::string& name) { connectionName_ = name; }
    const std::string& driverName() const { return driverName_; }
    void setDriverName(const std::string& name) { driverName_ = name; }
    const std::string& getDriverFunc() const { return getDriverFunc_; }
    void setGetDriverFunc(const std::string& name) { getDriverFunc_ = name; }
    const std::string& libraryName() const { return libraryName_; }
    void setLibraryName(const std::string& name) { libraryName_ = name; }
    const std::string& vendorLib() const { return vendorLib_; }
    void setVendorLib(const std::string& name) { vendorLib_ = name; }
    bool loadParamsOnConnect() const { return loadParamsOnConnect_; }
    void setLoadParamsOnConnect(bool value) { loadParamsOnConnect_ = value; }
    // There is no login dialog: user name and password always come from the parameters.
    bool loginPrompt() const { return loginPrompt_; }
    void setLoginPrompt(bool value) { loginPrompt_ = value; }
    // The connection stays open between statements either way; kept for the form data.
    bool keepConnection() const { return keepConnection_; }
    void setKeepConnection(bool value) { keepConnection_ = value; }

    ParamList& params() { return params_; }
    const ParamList& params() const { return params_; }

    bool connected() const { return connection_ != nullptr; }
    // Opens or closes the connection. Set while the component is loading, it is remembered
    // and applied by loaded(), once every component of the form exists.
    void setConnected(bool value);
    void open() { setConnected(true); }
    void close() { setConnected(false); }

    void loaded() override;

    // True when the open connection was found gone (the server stopped or the network
    // dropped): every statement on it fails until it is opened again.
    bool lost() const { return connection_ && connection_->lost(); }
    // Opens the connection again when it is lost, or found gone when the server is asked
    // (a server restarted since the last statement), with the settings it was first opened
    // with (the configuration files are not read again); does nothing otherwise. Failure
    // raises ESQLError with the server's message and leaves the connection lost.
    void reopenIfLost();

    // While set, statements run on a thread of their own and the calling (user-interface)
    // thread keeps its windows painted meanwhile, user input held back (see StatementWorker).
    // Still one statement at a time, each waited for.
    void setKeepWindowsPainted(bool value);
    bool keepWindowsPainted() const { return worker_ != nullptr; }

    // Statement execution for the query objects; opens the connection when it is closed.
    // Failures raise ESQLError with the server's message.
    void execute(const std::string& sql, const DbxParams& params);
    DataPacket query(const std::string& sql, const DbxParams& params);
    // A statement kept prepared (benchmarks and tools only; see IDbxConnection::prepare).
    std::unique_ptr<IDbxStatement> prepare(const std::string& sql);
    // The driver's connection, for tools that need more (bulk loads); opens the connection.
    IDbxConnection& driverConnection();

private:
    void doConnect();
    void doDisconnect();
    void attach(IDbxConnection& connection);
    void callDriver(const std::function<void()>& call);
    void loadParamsFromIniFile();

    std::string connectionName_;
    std::string driverName_;
    std::string getDriverFunc_;
    std::string libraryName_;
    std::string vendorLib_;
    bool loadParamsOnConnect_ = false;
    bool loginPrompt_ = true;
    bool keepConnection_ = true;
    bool streamedConnected_ = false;
    bool paramsLoaded_ = false;
    ParamList params_;

    // Destroyed in reverse order: connection, driver, then the plug-in is unloaded.
    void* library_ = nullptr;
    std::unique_ptr<IDbxDriver> driver_;
    std::unique_ptr<IDbxConnection> connection_;
    std::unique_ptr<StatementWorker> worker_;
};
