#pragma once
// The main window: the criteria of the customer-range product-quantity report, the progress
// of a run, and the connection and data objects every statement of the program goes through.
//
// Constructing it reads its form data (Tfrmcust_prod_FormData.cpp) in the loading phases:
// every component created with its stored properties, references resolved (which loads the
// skin), each component's end-of-loading step in form-data order (the date edits take today's
// date, then the connection opens), then FormCreate. Any failure on the way leaves the
// constructor as an exception: the window is then never shown.

#include "Component.h"
#include "SkinMessages.h"

#include <QWidget>
#include <memory>

class FormLoader;
class ReportRun;
class TbsCompressedStoredSkin;
class TbsSkinButton;
class TbsSkinData;
class TbsSkinDateEdit;
class TbsSkinEdit;
class TbsSkinGauge;
class TbsSkinMemo;
class TbsSkinPanel;
class TbsSkinStdLabel;
class TbsStoredSkin;
class TClientDataSet;
class TDataSetProvider;
class TDataSource;
class TDBMemo;
class TSQLConnection;
class TSQLDataSet;
class TSQLQuery;

class Tfrmcust_prod : public QWidget, public TComponent, public ISkinMessageTarget {
    Q_OBJECT
public:
    explicit Tfrmcust_prod(QWidget* parent = nullptr);
    ~Tfrmcust_prod() override;
    const char* className() const noexcept override { return "Tfrmcust_prod"; }

    // The window's create handler: prepares the remark dataset.
    void FormCreate();
    // The buttons inside CUST1 and CUST2: pick a customer code (CustomerButtons.cpp).
    void CUST1ButtonClick(QObject* Sender);
    void CUST2ButtonClick(QObject* Sender);
    // OK: the report run (ReportRun.cpp).
    void bsSkinButton1Click(QObject* Sender);
    // Leave: closes the window, which ends the program.
    void bsSkinButton2Click(QObject* Sender);

    void skinMessage(int message, TbsSkinData* wParam, int lParam) override;

    // Controls, in form-data order. All are owned by the window.
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TbsSkinStdLabel* bsSkinStdLabel11 = nullptr;
    TbsSkinStdLabel* bsSkinStdLabel1 = nullptr;
    TbsSkinStdLabel* bsSkinStdLabel2 = nullptr;
    TbsSkinDateEdit* bsSkinDateEdit1 = nullptr;
    TbsSkinDateEdit* bsSkinDateEdit2 = nullptr;
    TbsSkinEdit* CUST1 = nullptr;
    TbsSkinEdit* CUST2 = nullptr;
    TbsSkinEdit* bsSkinEdit1 = nullptr;
    TbsSkinMemo* bsSkinMemo1 = nullptr;
    TDBMemo* DBMemo1 = nullptr;
    TbsSkinGauge* bsSkinGauge1 = nullptr;
    TbsSkinPanel* bsSkinPanel2 = nullptr;
    TbsSkinButton* bsSkinButton1 = nullptr;
    TbsSkinButton* bsSkinButton2 = nullptr;

    // The skin.
    TbsSkinData* bsSkinData1 = nullptr;
    TbsStoredSkin* bsStoredSkin1 = nullptr;
    TbsCompressedStoredSkin* bsCompressedStoredSkin1 = nullptr;

    // The connection and the data objects.
    TSQLConnection* SQLConnection1 = nullptr;
    TSQLQuery* SQLQuery1 = nullptr;
    TSQLQuery* SQLQuery2 = nullptr;
    TSQLQuery* SQLQuery3 = nullptr;
    TSQLDataSet* SQL_CUST = nullptr;
    TDataSetProvider* DSP_CUST = nullptr;
    TClientDataSet* CDS_CUST = nullptr;
    TDataSource* DS_CUST = nullptr;
    TDataSetProvider* DataSetProvider1 = nullptr;
    TClientDataSet* ClientDataSet1 = nullptr;
    TClientDataSet* CDS = nullptr;
    TClientDataSet* CDS_Param = nullptr;
    TClientDataSet* ClientDataSet2 = nullptr;
    TDataSource* DataSource1 = nullptr;

    // The run behind OK; what its last run worked with (the table name) is read from it.
    const ReportRun& reportRun() const { return *reportRun_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The form data: creates the components with their stored properties (phase 1) and asks
    // for the references between them (phase 2).
    void readFormData(FormLoader& load);
    void connectEvents();
    void setTabOrder();
    void centreOnScreen();

    std::unique_ptr<ReportRun> reportRun_;
    bool shownOnce_ = false;
};
