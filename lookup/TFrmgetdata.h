#pragma once
// The lookup dialog "資料查詢擷取": lists the rows of the caller's dataset in a read-only
// grid, searches the underlying table by one column (exact, prefix or contains), steps
// through the rows with four navigation buttons and reports whether a row was chosen.
//
// Calling protocol:
//   1. attach the caller's dataset to its data source again;
//   2. TFrmgetdata::create(...) — the module-level Frmgetdata names the new dialog;
//   3. set LookupSource, LookupTable, LookupDataSet and open the dataset behind LookupSource;
//   4. Execute() shows it modally; true when OK or Enter in the grid closed it;
//   5. on true, read the fields of the current record of LookupSource's dataset at once:
//      it may be the dialog's search result (CDS_Query), which goes with the dialog.
// The dialog releases itself after it closes; it is destroyed once control is back in the
// message loop.

#include "Component.h"

#include <QDialog>
#include <QPointer>
#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class TClientDataSet;
class TDataSet;
class TDataSetProvider;
class TDataSource;
class TDBSpeedButton;
class TRadioGroup;
class TSQLConnection;
class TSQLDataSet;
class TSpeedButton;
class TwwDBGrid;

class TFrmgetdata : public QDialog, public TComponent {
    Q_OBJECT
public:
    // `connection` is the main window's; the search runs on it.
    explicit TFrmgetdata(QWidget* parent, TSQLConnection* connection);
    ~TFrmgetdata() override;
    const char* className() const noexcept override { return "TFrmgetdata"; }

    // The form factory: a new dialog, which Frmgetdata then names.
    static TFrmgetdata* create(QWidget* parent, TSQLConnection* connection);

    // Inputs, set by the caller before Execute.
    TDataSource* LookupSource = nullptr;
    std::string LookupTable;
    TDataSet* LookupDataSet = nullptr;

    // Shows the dialog modally; true when a row was chosen during this showing.
    bool Execute();
    // The chosen flag, shared by every dialog of the program.
    static bool chosen();
    // The last search statement's lines (empty before the first search and after closing).
    const std::vector<std::string>& statementLines() const { return statement_; }

    // Event handlers of the form.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    void SpeedButton1Click(QObject* Sender);
    void SpeedButton2Click(QObject* Sender);
    void ComboBox1KeyDown(int& Key);
    void Edit1KeyDown(int& Key);
    void RadioGroup1Exit();
    void dbgrid1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void BTCMDOK1Click(QObject* Sender);
    void BDCMDNOTClick(QObject* Sender);

    // The form's components.
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel4 = nullptr;
    QFrame* Panel5 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TDBSpeedButton* dbSBtnFirst = nullptr;
    TDBSpeedButton* dbSBtnPrior = nullptr;
    TDBSpeedButton* dbSBtnNext = nullptr;
    TDBSpeedButton* dbSBtnLast = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TwwDBGrid* DBGrid1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    TSpeedButton* BTCMDOK = nullptr;
    TSpeedButton* BDCMDNOT = nullptr;
    TSQLDataSet* SQLDataSet1 = nullptr;
    TDataSetProvider* DataSetProvider1 = nullptr;
    TClientDataSet* CDS_Query = nullptr;

    // Whether the dialog has been asked to release itself.
    bool releaseRequested() const { return releaseRequested_; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildForm(TSQLConnection* connection);
    void layoutBands();
    // The field list's selected position: -1 unless the box shows an entry of the list.
    int selectedFieldIndex() const;
    void closeDialog(bool chosen);

    std::vector<std::string> statement_;
    bool inExecute_ = false;
    bool releaseRequested_ = false;
    bool closing_ = false;
};

// The dialog last created by TFrmgetdata::create (null once it is destroyed).
extern QPointer<TFrmgetdata> Frmgetdata;
