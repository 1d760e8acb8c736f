// The main window's form data: every component of the window, in form-data order, with its
// stored properties, and the references between them. This is the one place the window's
// layout, captions, SQL texts, connection defaults and skins are kept.

#include "ChildAlign.h"
#include "ClientDataSet.h"
#include "DataSetProvider.h"
#include "DataSource.h"
#include "FontMapper.h"
#include "FormLoader.h"
#include "SQLConnection.h"
#include "SQLDataSet.h"
#include "SQLQuery.h"
#include "StoredSkins.h"
#include "SystemColors.h"
#include "TDBMemo.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinButton.h"
#include "TbsSkinData.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TbsSkinFrame.h"
#include "TbsSkinGauge.h"
#include "TbsSkinMemo.h"
#include "TbsSkinScrollBar.h"  // TbsSkinMemo.h needs the complete type
#include "TbsSkinPanel.h"
#include "TbsSkinStdLabel.h"
#include "TbsStoredSkin.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"

namespace {

// Texts of the form data are written here in UTF-8; the data layer keeps them as Big5 bytes.
std::string big5(const char* utf8)
{
    return TextCodec::utf8ToCp950(utf8);
}

QFont labelFont() { return FontMapper::makeFont(QStringLiteral("標楷體"), -16); }
QFont dateEditFont() { return FontMapper::makeFont(QStringLiteral("Arial"), 17); }
QFont editFont() { return FontMapper::makeFont(QStringLiteral("Arial"), 15); }

// The stored connection parameters; the section "Dulmar" of the connection configuration
// file replaces them when the connection opens.
void storeConnectionParams(TSQLConnection::ParamList& params)
{
    params.setValue("DriverName", "Interbase");
    params.setValue("Database", "localhost:/var/lib/firebird/3.0/data/POSDATA.GDB");
    params.setValue("RoleName", "RoleName");
    params.setValue("User_Name", "sysdba");
    params.setValue("Password", "moravine");
    params.setValue("ServerCharSet", "");
    params.setValue("SQLDialect", "3");
    params.setValue("BlobSize", "-1");
    params.setValue("CommitRetain", "False");
    params.setValue("WaitOnLocks", "True");
    params.setValue("ErrorResourceFile", "");
    params.setValue("LocaleCode", "0000");
    params.setValue("Interbase TransIsolation", "ReadCommited");
    params.setValue("Trim Char", "False");
}

}

void Tfrmcust_prod::readFormData(FormLoader& load)
{
    // The window itself.
    setWindowTitle(QStringLiteral("客戶區間商品數量表"));
    setFont(FontMapper::makeFont(QStringLiteral("MS Sans Serif"), -11));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, SystemColors::color(SystemColor::ButtonFace));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    resize(378, 273);
    centreOnScreen();

    // Every skinned control names the one skin data object of the window.
    auto useSkin = [&load](auto* control) {
        load.reference("bsSkinData1", [control](TComponent* c) { control->setSkinData(dynamic_cast<TbsSkinData*>(c)); });
    };

    bsSkinPanel1 = load.add(new TbsSkinPanel(this, this), "bsSkinPanel1");
    bsSkinPanel1->setSkinDataName(QStringLiteral("panel"));
    bsSkinPanel1->setBorderStyle(TbsSkinBorderStyle::bvRaised);
    bsSkinPanel1->setCaptionMode(false);
    bsSkinPanel1->SetBounds(0, 0, 378, 219);
    setChildAlign(bsSkinPanel1, TAlign::alTop);
    useSkin(bsSkinPanel1);

    auto addLabel = [&](const char* name, int left, int top, int width, const QString& caption) {
        auto* label = load.add(new TbsSkinStdLabel(bsSkinPanel1, this), name);
        label->setSkinDataName(QStringLiteral("stdlabel"));
        label->setAutoSize(false);
        label->setFont(labelFont());
        label->setCaption(caption);
        label->setGeometry(left, top, width, 13);
        useSkin(label);
        return label;
    };
    bsSkinStdLabel11 = addLabel("bsSkinStdLabel11", 46, 32, 64, QStringLiteral("查詢區間"));
    bsSkinStdLabel1 = addLabel("bsSkinStdLabel1", 46, 58, 54, QStringLiteral("客戶區間"));
    bsSkinStdLabel2 = addLabel("bsSkinStdLabel2", 46, 83, 54, QStringLiteral("篩選額度"));

    auto addDateEdit = [&](const char* name, int left, int width) {
        auto* edit = load.add(new TbsSkinDateEdit(bsSkinPanel1, this), name);
        edit->setSkinDataName(QStringLiteral("buttonedit"));
        edit->setFont(dateEditFont());
        edit->setMaxLength(10);
        edit->setTodayDefault(true);
        edit->setFirstDayOfWeek(TbsDaysOfWeek::Sun);
        edit->setCalendarWidth(236);
        edit->setCalendarHeight(177);
        edit->setCalendarFont(FontMapper::makeFont(QStringLiteral("Arial"), 14));
        edit->setGeometry(left, 28, width, 20);
        useSkin(edit);
        return edit;
    };
    bsSkinDateEdit1 = addDateEdit("bsSkinDateEdit1", 104, 105);
    bsSkinDateEdit2 = addDateEdit("bsSkinDateEdit2", 217, 106);

    auto addEdit = [&](const char* name, int left, int top, int width, bool buttonMode) {
        auto* edit = load.add(new TbsSkinEdit(bsSkinPanel1, this), name);
        edit->setSkinDataName(buttonMode ? QStringLiteral("buttonedit") : QStringLiteral("edit"));
        edit->setButtonMode(buttonMode);
        edit->setFont(editFont());
        edit->setGeometry(left, top, width, 20);
        useSkin(edit);
        return edit;
    };
    CUST1 = addEdit("CUST1", 104, 53, 105, true);
    CUST2 = addEdit("CUST2", 217, 53, 106, true);
    bsSkinEdit1 = addEdit("bsSkinEdit1", 104, 78, 105, false);

    bsSkinMemo1 = load.add(new TbsSkinMemo(bsSkinPanel1, this), "bsSkinMemo1");
    bsSkinMemo1->setSkinDataName(QStringLiteral("memo"));
    bsSkinMemo1->setFont(editFont());
    bsSkinMemo1->setImeName(QStringLiteral("中文 (繁體) - 新注音"));
    // Not a tab stop; a click still puts the caret into it.
    bsSkinMemo1->setFocusPolicy(Qt::ClickFocus);
    bsSkinMemo1->nativeMemo()->setFocusPolicy(Qt::ClickFocus);
    bsSkinMemo1->setGeometry(5, 104, 365, 78);
    useSkin(bsSkinMemo1);

    // The remark. It is created after bsSkinMemo1 and so lies over it.
    DBMemo1 = load.add(new TDBMemo(bsSkinPanel1, this), "DBMemo1");
    DBMemo1->setDataField("Field13");
    // Tab leaves the memo for the next control instead of typing a tab.
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setGeometry(4, 104, 365, 76);
    load.reference("DataSource1", [this](TComponent* c) { DBMemo1->setDataSource(dynamic_cast<TDataSource*>(c)); });

    bsSkinGauge1 = load.add(new TbsSkinGauge(bsSkinPanel1, this), "bsSkinGauge1");
    bsSkinGauge1->setSkinDataName(QStringLiteral("gauge"));
    bsSkinGauge1->setMinValue(0);
    bsSkinGauge1->setMaxValue(100);
    bsSkinGauge1->setValue(50);
    bsSkinGauge1->setShowProgressText(false);
    bsSkinGauge1->setShowPercent(false);
    bsSkinGauge1->SetBounds(1, 197, 376, 21);
    setChildAlign(bsSkinGauge1, TAlign::alBottom);
    useSkin(bsSkinGauge1);

    bsSkinPanel2 = load.add(new TbsSkinPanel(this, this), "bsSkinPanel2");
    bsSkinPanel2->setSkinDataName(QStringLiteral("panel"));
    bsSkinPanel2->setBorderStyle(TbsSkinBorderStyle::bvRaised);
    bsSkinPanel2->setCaptionMode(false);
    bsSkinPanel2->SetBounds(0, 219, 378, 54);
    setChildAlign(bsSkinPanel2, TAlign::alClient);
    useSkin(bsSkinPanel2);

    auto addButton = [&](const char* name, int left, const QString& caption) {
        auto* button = load.add(new TbsSkinButton(bsSkinPanel2, this), name);
        button->setSkinDataName(QStringLiteral("button"));
        button->setCaption(caption);
        button->SetBounds(left, 8, 75, 25);
        useSkin(button);
        return button;
    };
    bsSkinButton1 = addButton("bsSkinButton1", 92, QStringLiteral("確定"));
    bsSkinButton2 = addButton("bsSkinButton2", 196, QStringLiteral("離開"));

    // The skin: the stored skin loads first, then the compressed one, which is the one in force.
    bsSkinData1 = load.add(new TbsSkinData(this), "bsSkinData1");
    // The frame takes its skin data before the skins load, so it is built from the skin in force.
    auto* bsSkinFrame1 = load.add(new TbsSkinFrame(this, this), "bsSkinFrame1");
    bsSkinFrame1->setBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                                  TbsBorderIcon::biRollUp});
    load.reference("bsSkinData1", [bsSkinFrame1](TComponent* c) { bsSkinFrame1->setSkinData(dynamic_cast<TbsSkinData*>(c)); });
    load.reference("bsStoredSkin1", [this](TComponent* c) { bsSkinData1->setStoredSkin(dynamic_cast<TbsStoredSkin*>(c)); });
    load.reference("bsCompressedStoredSkin1", [this](TComponent* c) {
        bsSkinData1->setCompressedStoredSkin(dynamic_cast<TbsCompressedStoredSkin*>(c));
    });
    bsStoredSkin1 = load.add(new TbsStoredSkin(this), "bsStoredSkin1");
    StoredSkins::fill(*bsStoredSkin1);
    bsCompressedStoredSkin1 = load.add(new TbsCompressedStoredSkin(this), "bsCompressedStoredSkin1");
    StoredSkins::fill(*bsCompressedStoredSkin1);

    // The connection opens at the end of loading, after the date edits took today's date.
    SQLConnection1 = load.add(new TSQLConnection(this), "SQLConnection1");
    SQLConnection1->setConnectionName("Dulmar");
    SQLConnection1->setDriverName("Interbase");
    SQLConnection1->setGetDriverFunc("getSQLDriverINTERBASE");
    SQLConnection1->setLibraryName("libdbxfb.so");
    SQLConnection1->setVendorLib("libfbclient.so.2");
    SQLConnection1->setLoadParamsOnConnect(true);
    SQLConnection1->setLoginPrompt(false);
    storeConnectionParams(SQLConnection1->params());
    SQLConnection1->setConnected(true);

    auto onConnection = [&](TCustomSQLDataSet* dataSet) {
        load.reference("SQLConnection1", [dataSet](TComponent* c) {
            dataSet->setSQLConnection(dynamic_cast<TSQLConnection*>(c));
        });
    };
    SQLQuery1 = load.add(new TSQLQuery(this), "SQLQuery1");
    onConnection(SQLQuery1);
    SQLQuery2 = load.add(new TSQLQuery(this), "SQLQuery2");
    onConnection(SQLQuery2);
    SQLQuery3 = load.add(new TSQLQuery(this), "SQLQuery3");
    onConnection(SQLQuery3);

    SQL_CUST = load.add(new TSQLDataSet(this), "SQL_CUST");
    SQL_CUST->setCommandText("SELECT * FROM CUSTOMER\r\nORDER BY CUST_ID");
    onConnection(SQL_CUST);

    DSP_CUST = load.add(new TDataSetProvider(this), "DSP_CUST");
    DSP_CUST->setOptions(poAllowCommandText);
    load.reference("SQL_CUST", [this](TComponent* c) { DSP_CUST->setDataSet(dynamic_cast<TSQLDataSet*>(c)); });

    CDS_CUST = load.add(new TClientDataSet(this), "CDS_CUST");
    CDS_CUST->setProviderName("DSP_CUST");
    CDS_CUST->addField("CUST_ID", FieldType::String, 10, true, big5("客戶編號"));
    CDS_CUST->addField("CUST_NAME", FieldType::String, 50, false, big5("客戶名稱"));

    DS_CUST = load.add(new TDataSource(this), "DS_CUST");
    load.reference("CDS_CUST", [this](TComponent* c) { DS_CUST->setDataSet(dynamic_cast<TDataSet*>(c)); });

    DataSetProvider1 = load.add(new TDataSetProvider(this), "DataSetProvider1");
    DataSetProvider1->setOptions(poAllowCommandText);
    load.reference("SQLQuery1", [this](TComponent* c) { DataSetProvider1->setDataSet(dynamic_cast<TSQLQuery*>(c)); });

    ClientDataSet1 = load.add(new TClientDataSet(this), "ClientDataSet1");
    ClientDataSet1->setProviderName("DataSetProvider1");

    CDS = load.add(new TClientDataSet(this), "CDS");
    CDS_Param = load.add(new TClientDataSet(this), "CDS_Param");
    ClientDataSet2 = load.add(new TClientDataSet(this), "ClientDataSet2");

    DataSource1 = load.add(new TDataSource(this), "DataSource1");
    load.reference("ClientDataSet2", [this](TComponent* c) { DataSource1->setDataSet(dynamic_cast<TDataSet*>(c)); });
}
