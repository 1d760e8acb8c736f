#include "ReportRun.h"

#include "Application.h"
#include "ClientDataSet.h"
#include "Clock.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "ExeDir.h"
#include "Field.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "ReportFiles.h"
#include "SQLConnection.h"
#include "ReportRunObserver.h"
#include "SQLQuery.h"
#include "TDBMemo.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinScrollBar.h" // before the memo, which holds a pointer to one
#include "TbsSkinMemo.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"
#include "WorkDir.h"

#include <QFile>

#include <dlfcn.h>
#include <exception>

namespace {

// The header record: Field0 to Field12 of 50 bytes, Field13 (the remark) of 200.
constexpr int headerFieldCount = 14;
constexpr int headerFieldSize = 50;
constexpr int remarkFieldSize = 200;
constexpr int titleField = 12;
constexpr int remarkField = 13;

void deleteIfExists(const std::string& path)
{
    const QString file = QFile::decodeName(path.c_str());
    if (!QFile::exists(file))
        return;
    QFile remover(file);
    if (!remover.remove())
        throw EInOutError("Cannot delete file \"" + path + "\". " + remover.errorString().toStdString());
}

void* loadPreviewLibrary()
{
    // The executable's directory first, then the system's search.
    const std::string beside = ExeDir::file(ReportFiles::PreviewLibrary);
    if (QFile::exists(QFile::decodeName(beside.c_str())))
        return dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    return dlopen(ReportFiles::PreviewLibrary, RTLD_NOW | RTLD_LOCAL);
}

// The preview failed and so did the clean-up after it (typically because the server went
// away): one error that tells both, the preview's first, so that the user learns of each.
[[noreturn]] void rethrowBoth(const std::exception_ptr& previewError, const std::exception_ptr& cleanUpError)
{
    const ErrorReport::ErrorInfo preview = ErrorReport::describe(previewError);
    if (preview.silent)
        std::rethrow_exception(cleanUpError);
    const std::string both
        = ErrorReport::withHandlerPeriod(preview.message) + "\n" + ErrorReport::describe(cleanUpError).message;
    try {
        std::rethrow_exception(previewError);
    } catch (Exception& error) {
        error.setMessage(both);
        throw;
    } catch (...) {
        throw Exception(both);
    }
}

}

ReportRun::ReportRun(Tfrmcust_prod& form) : form_(form) {}

ReportRun::~ReportRun() = default;

namespace {

// For the length of a run, statements run off the user-interface thread while it keeps the
// windows painted and answers the window manager; user input still waits for the run's end.
class WindowsKeptPainted {
public:
    explicit WindowsKeptPainted(TSQLConnection& connection)
        : connection_(connection), before_(connection.keepWindowsPainted())
    {
        connection_.setKeepWindowsPainted(true);
    }
    ~WindowsKeptPainted() { connection_.setKeepWindowsPainted(before_); }
    WindowsKeptPainted(const WindowsKeptPainted&) = delete;
    WindowsKeptPainted& operator=(const WindowsKeptPainted&) = delete;

private:
    TSQLConnection& connection_;
    bool before_;
};

}

void ReportRun::run()
{
    const WindowsKeptPainted painted(*form_.SQLConnection1);
    // A connection lost to a server that stopped or a network that dropped is opened again
    // here, before anything else, and only here: a statement that fails in the middle of a run
    // is never tried again. When the server is still away, its message ends the run at once.
    form_.SQLConnection1->reopenIfLost();
    phase(ReportPhase::Prepare);
    prepareWindow();
    deletePreviousHandoffFiles();
    checkParameterFile();
    readCriteria();
    buildTable();
    mergeReturns();
    applyMinimum();
    form_.SQLQuery1->close();
    form_.SQLQuery2->close();

    if (!anythingToReport()) {
        MessageBox::show(TApplication::instance().title(), QStringLiteral("查無符合資料,請重新查詢..."));
        phase(ReportPhase::Finished);
        return;
    }
    fetchResult();
    phase(ReportPhase::Files);
    fillHeader();
    writeHandoffFiles();
    form_.bsSkinGauge1->setValue(5);
    showPreview();
    resultLines_.reset();
    phase(ReportPhase::Finished);
    form_.close();
}

void ReportRun::prepareWindow()
{
    // Hiding the data-bound memo uncovers the message memo; it stays hidden from now on.
    form_.DBMemo1->hide();
    form_.bsSkinMemo1->ClearLines();
    form_.bsSkinGauge1->setMinValue(0);
    form_.bsSkinGauge1->setMaxValue(10);
    form_.bsSkinGauge1->setValue(0);
}

void ReportRun::deletePreviousHandoffFiles()
{
    // The hand-off files live in the work directory (the executable's directory when it is
    // writable); one that cannot be made stops the run before anything else is done.
    const std::string dir = WorkDir::ensure() + "/";
    deleteIfExists(dir + ReportFiles::ResultFile);
    deleteIfExists(dir + ReportFiles::HeaderFile);
}

void ReportRun::checkParameterFile()
{
    // A missing or unreadable parameter file stops the run here, before anything is done in
    // the database. The dataset belongs to the window, like every component of it.
    auto* scratch = new TClientDataSet(&form_);
    scratch->loadFromFile(ReportFiles::findIgnoringCase(ExeDir::path(), ReportFiles::ParameterFile));
    scratch->open();
}

void ReportRun::readCriteria()
{
    values_ = ReportValues{};
    started_ = Clock::now();
    resultLines_.emplace();
    values_.DATEFROM = ReportRules::periodDate(form_.bsSkinDateEdit1->Text());
    values_.DATETO = ReportRules::periodDate(form_.bsSkinDateEdit2->Text());
    ReportRules::customerRange(form_.CUST1->Text(), form_.CUST2->Text(), values_);
}

void ReportRun::buildTable()
{
    form_.bsSkinMemo1->setText(QString());
    addMemoLine(QStringLiteral("暫存資料建置中..."));

    phase(ReportPhase::CreateTable);
    TSQLQuery& query = *form_.SQLQuery1;
    open(query, ReportSql::runNumber());
    values_.TMPTABLE = ReportRules::tableName(started_, query.firstColumnText());
    query.close();
    execute(query, ReportSql::createTable(values_));
    form_.bsSkinGauge1->setValue(3);
    addMemoLine(QStringLiteral("CAST") + QString::number(form_.bsSkinGauge1->Value()) + QStringLiteral(" ....."));

    phase(ReportPhase::FillSales);
    execute(*form_.SQLQuery1, ReportSql::fillSales(values_));
    phase(ReportPhase::CreateIndex);
    execute(*form_.SQLQuery1, ReportSql::createIndex(values_));
}

void ReportRun::mergeReturns()
{
    phase(ReportPhase::MergeReturns);
    TSQLQuery& returns = *form_.SQLQuery1;
    TSQLQuery& lookUp = *form_.SQLQuery3;
    TSQLQuery& change = *form_.SQLQuery2;
    open(returns, ReportSql::returnTotals(values_));
    while (!returns.eof()) {
        // Each per-row statement is built anew, so that each sees the rows earlier rows wrote.
        setStatement(lookUp, ReportSql::lookUpRow(values_));
        lookUp.paramByName("CUST_ID").setAsString(returns.fieldValue("CUST_ID").asString());
        lookUp.paramByName("PROD_ID").setAsString(returns.fieldValue("PD_ITEMID").asString());
        lookUp.paramByName("U_PRICE").setAsFloat(returns.fieldValue("U_PRICE").asDouble());
        open(lookUp);
        if (lookUp.isEmpty()) {
            setStatement(change, ReportSql::insertRow(values_));
            change.paramByName("CUST_ID").setAsString(returns.fieldValue("CUST_ID").asString());
            change.paramByName("CUST_NAME").setAsString(returns.fieldValue("CUST_NAME").asString());
            change.paramByName("PROD_ID").setAsString(returns.fieldValue("PD_ITEMID").asString());
            change.paramByName("PROD_NAME").setAsString(returns.fieldValue("PD_ITEMNAME").asString());
            change.paramByName("U_PRICE").setAsFloat(returns.fieldValue("U_PRICE").asDouble());
            change.paramByName("QTY").setAsFloat(returns.fieldValue("QTY").asDouble());
        } else {
            setStatement(change, ReportSql::updateRow(values_));
            change.paramByName("CUST_ID").setAsString(returns.fieldValue("CUST_ID").asString());
            change.paramByName("PROD_ID").setAsString(returns.fieldValue("PD_ITEMID").asString());
            change.paramByName("U_PRICE").setAsFloat(returns.fieldValue("U_PRICE").asDouble());
            change.paramByName("QTY").setAsFloat(returns.fieldValue("QTY").asDouble());
        }
        execute(change);
        returns.next();
    }
}

void ReportRun::applyMinimum()
{
    values_.MINAMOUNT = TextCodec::toCp950(form_.bsSkinEdit1->Text());
    if (ReportRules::isBlank(values_.MINAMOUNT))
        return;
    phase(ReportPhase::Minimum);
    TSQLQuery& underMinimum = *form_.SQLQuery1;
    TSQLQuery& change = *form_.SQLQuery2;
    open(underMinimum, ReportSql::customersUnderMinimum(values_));
    while (!underMinimum.eof()) {
        setStatement(change, ReportSql::deleteCustomer(values_));
        change.paramByName("CUST_ID").setAsString(underMinimum.fieldValue("CUST_ID").asString());
        execute(change);
        underMinimum.next();
    }
}

bool ReportRun::anythingToReport()
{
    phase(ReportPhase::FinalCheck);
    open(*form_.SQLQuery1, ReportSql::finalCheck(values_));
    return !form_.SQLQuery1->isEmpty();
}

void ReportRun::fetchResult()
{
    form_.SQLQuery1->close();
    resultLines_ = ReportSql::result(values_);

    phase(ReportPhase::ResultFetch);
    form_.bsSkinGauge1->setValue(9);
    TClientDataSet& result = *form_.ClientDataSet1;
    result.close();
    result.setCommandText(ReportSql::commandText(*resultLines_));
    if (observer_)
        observer_->statementIssued(result.commandText(), {});
    result.open();
    form_.bsSkinGauge1->setValue(10);
    addMemoLine(QStringLiteral("報表模組載入中..."));
}

void ReportRun::fillHeader()
{
    TClientDataSet& header = *form_.CDS;
    if (!header.active()) {
        if (header.fieldDefs().count() == 0) {
            for (int i = 0; i < headerFieldCount; ++i)
                header.fieldDefs().add("Field" + std::to_string(i), FieldType::String,
                                       i == remarkField ? remarkFieldSize : headerFieldSize);
        }
        if (header.fieldCount() == 0)
            header.createDataSet();
    }
    if (!header.active())
        header.open();
    TClientDataSet& remark = *form_.ClientDataSet2;
    if (!remark.active())
        remark.open();

    header.edit();
    header.field(0)->setValue(Variant(TextCodec::toCp950(form_.windowTitle())));
    header.field(1)->setValue(Variant(ReportRules::periodText(values_)));
    TClientDataSet& parameters = *form_.CDS_Param;
    parameters.loadFromFile(ReportFiles::findIgnoringCase(ExeDir::path(), ReportFiles::ParameterFileOtherSpelling));
    parameters.open();
    header.field(titleField)->setValue(Variant(parameters.fieldByName("REP_TITLE")->asString()));
    // Text still pending in the remark memo belongs to the remark.
    if (isEditingState(remark.state()))
        remark.dataEvent(TDataEvent::UpdateRecord);
    header.field(remarkField)->setValue(remark.field(0)->value());
    header.post();
    // Closing discards the remark's unposted record: the next run starts without one.
    remark.close();
}

void ReportRun::writeHandoffFiles()
{
    const std::string dir = WorkDir::ensure() + "/";
    TIniFile ini(dir + ReportFiles::HandoffIni);
    ini.writeString(ReportFiles::HandoffSection, "path",
                    ReportFiles::iniPathValue(ExeDir::file(ReportFiles::TemplatePath)));
    ini.writeString(ReportFiles::HandoffSection, "tempfile", ReportFiles::iniPathValue(dir + ReportFiles::ResultFile));
    ini.writeString(ReportFiles::HandoffSection, "tempfile2", ReportFiles::iniPathValue(dir + ReportFiles::HeaderFile));
    form_.ClientDataSet1->saveToFile(dir + ReportFiles::ResultFile);
    form_.CDS->saveToFile(dir + ReportFiles::HeaderFile);
}

void ReportRun::showPreview()
{
    phase(ReportPhase::Preview);
    void* library = loadPreviewLibrary();
    // From here on the clean-up runs whatever happens; an error of the preview is passed on
    // after it. When the clean-up fails too, the error tells both.
    std::exception_ptr previewError;
    try {
        if (!library)
            throw EDLLLoadError("Unable to Load DLL");
        using ShowFormFunc = void (*)();
        if (auto showForm = reinterpret_cast<ShowFormFunc>(dlsym(library, "ShowForm")))
            showForm();
    } catch (...) {
        previewError = std::current_exception();
    }
    try {
        cleanUp(library);
    } catch (...) {
        if (previewError)
            rethrowBoth(previewError, std::current_exception());
        throw;
    }
    if (previewError)
        std::rethrow_exception(previewError);
}

void ReportRun::cleanUp(void* library)
{
    phase(ReportPhase::CleanUp);
    if (library)
        dlclose(library);
    TSQLQuery& query = *form_.SQLQuery1;
    open(query, ReportSql::tableExists(values_));
    if (!query.firstColumnText().empty())
        execute(query, ReportSql::dropTable(values_));
}

void ReportRun::addMemoLine(const QString& line)
{
    form_.bsSkinMemo1->AddLine(line);
}

void ReportRun::setStatement(TSQLQuery& query, const StatementLines& lines)
{
    query.close();
    query.sql().clear();
    for (const std::string& line : lines)
        query.sql().add(line);
}

void ReportRun::execute(TSQLQuery& query, const StatementLines& lines)
{
    setStatement(query, lines);
    execute(query);
}

void ReportRun::execute(TSQLQuery& query)
{
    if (observer_)
        observer_->statementIssued(query.sql().text(), query.params());
    query.execSQL();
}

void ReportRun::open(TSQLQuery& query, const StatementLines& lines)
{
    setStatement(query, lines);
    open(query);
}

void ReportRun::open(TSQLQuery& query)
{
    if (observer_)
        observer_->statementIssued(query.sql().text(), query.params());
    query.open();
}

void ReportRun::phase(ReportPhase phase)
{
    if (observer_)
        observer_->phaseStarted(phase);
}
