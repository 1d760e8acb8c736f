#include "TFrmgetdata.h"

#include "Application.h"
#include "ClientDataSet.h"
#include "DataSet.h"
#include "DataSetProvider.h"
#include "DataSource.h"
#include "Field.h"
#include "FontMapper.h"
#include "FormLoader.h"
#include "LookupDialogLayout.h"
#include "LookupResources.h"
#include "MessageBox.h"
#include "SQLDataSet.h"
#include "SearchStatement.h"
#include "SystemColors.h"
#include "TDBSpeedButton.h"
#include "TRadioGroup.h"
#include "TextCodec.h"
#include "TwwDBGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

QPointer<TFrmgetdata> Frmgetdata;

namespace {
bool g_chosen = false;

const QString kFaceName = QStringLiteral("新細明體");
// Background of the grid: the picture stretched over it, every other row tinted yellow.
constexpr std::uint32_t kAlternatingRowColor = 8454143;

QFrame* makePanel(QWidget* parent, bool white, bool raised)
{
    auto* panel = new QFrame(parent);
    if (raised) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setLineWidth(1);
    }
    if (white) {
        panel->setAutoFillBackground(true);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, Qt::white);
        panel->setPalette(palette);
    }
    return panel;
}

void setWhiteBase(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString appTitle()
{
    return TApplication::instance().title();
}
}

TFrmgetdata* TFrmgetdata::create(QWidget* parent, TSQLConnection* connection)
{
    auto* dialog = new TFrmgetdata(parent, connection);
    Frmgetdata = dialog;
    return dialog;
}

bool TFrmgetdata::chosen()
{
    return g_chosen;
}

TFrmgetdata::TFrmgetdata(QWidget* parent, TSQLConnection* connection) : QDialog(parent), TComponent(nullptr)
{
    setObjectName(QStringLiteral("Frmgetdata"));
    buildForm(connection);
}

TFrmgetdata::~TFrmgetdata()
{
    // Destroying the child widgets moves the focus: the focus watcher must not run on a
    // dialog whose own part is already gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    // The controls let go of the caller's data source before the search result goes.
    DBGrid1->setDataSource(nullptr);
    for (TDBSpeedButton* button : {dbSBtnFirst, dbSBtnLast, dbSBtnPrior, dbSBtnNext})
        button->setDataSource(nullptr);
}

void TFrmgetdata::buildForm(TSQLConnection* connection)
{
    FormLoader load(*this);
    setWindowTitle(QStringLiteral("資料查詢擷取"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(false);
    QPalette face = palette();
    face.setColor(QPalette::Window, SystemColors::color(SystemColor::ButtonFace));
    setPalette(face);
    const QFont dialogFont = FontMapper::makeFont(kFaceName, -12);
    const QFont bigFont = FontMapper::makeFont(kFaceName, -13);
    setFont(dialogFont);
    resize(LookupDialogLayout::kDesignClientSize);

    Panel1 = makePanel(this, true, false);
    Panel1->setFont(bigFont);
    Panel2 = makePanel(this, true, false);
    Panel3 = makePanel(this, true, false);
    Panel4 = makePanel(this, true, false);
    Panel5 = makePanel(this, false, true);

    Label1 = new QLabel(QStringLiteral("搜尋欄位選擇"), Panel1);
    Label1->setGeometry(26, 4, 78, 13);
    Label1->setFont(dialogFont);
    {
        QPalette palette = Label1->palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        Label1->setPalette(palette);
    }

    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setGeometry(24, 19, 129, 21);
    ComboBox1->setFont(bigFont);
    ComboBox1->installEventFilter(this);
    ComboBox1->lineEdit()->installEventFilter(this);

    Edit1 = new QLineEdit(Panel1);
    Edit1->setGeometry(372, 17, 128, 21);
    Edit1->setFont(bigFont);
    setWhiteBase(Edit1);
    Edit1->installEventFilter(this);

    RadioGroup1 = load.add(new TRadioGroup(Panel1, this), "RadioGroup1");
    RadioGroup1->setGeometry(158, 8, 211, 34);
    RadioGroup1->setItems({QStringLiteral("完全"), QStringLiteral("字首"), QStringLiteral("其中有")}, 3);
    setWhiteBase(RadioGroup1);
    // The form stores "其中有"; activation always shows "完全".
    RadioGroup1->setItemIndex(2);

    const QImage navFirst = LookupResources::picture(QStringLiteral("NAVFIRST"));
    const QImage navLast = LookupResources::picture(QStringLiteral("NAVLAST"));
    const QImage navPrior = LookupResources::picture(QStringLiteral("NAVPRIOR"));
    const QImage navNext = LookupResources::picture(QStringLiteral("NAVNEXT"));
    struct NavSpec {
        TDBSpeedButton** button;
        const char* name;
        int left;
        const char* caption;
        const char* hint;
        TDBButtonType type;
        const QImage* glyph;
        int numGlyphs;
    };
    const NavSpec navs[] = {
        {&dbSBtnFirst, "dbSBtnFirst", 23, "首筆", "首筆記錄", nbFirst, &navFirst, 2},
        {&dbSBtnPrior, "dbSBtnPrior", 68, "前筆", "前筆記錄", nbPrior, &navPrior, 1},
        {&dbSBtnNext, "dbSBtnNext", 113, "次筆", "次筆記錄", nbNext, &navNext, 1},
        {&dbSBtnLast, "dbSBtnLast", 159, "末筆", "末筆記錄", nbLast, &navLast, 2},
    };
    for (const NavSpec& spec : navs) {
        auto* button = load.add(new TDBSpeedButton(Panel1, this), spec.name);
        button->setGeometry(spec.left, 44, 45, 38);
        button->setCaption(QString::fromUtf8(spec.caption));
        button->setHint(QString::fromUtf8(spec.hint));
        button->setShowHint(true);
        button->setDataButtonType(spec.type);
        button->setGlyph(*spec.glyph);
        button->setNumGlyphs(spec.numGlyphs);
        button->setLayout(TSpeedButton::blGlyphTop);
        *spec.button = button;
    }

    SpeedButton1 = load.add(new TSpeedButton(Panel1, this), "SpeedButton1");
    SpeedButton1->setGeometry(326, 56, 81, 26);
    SpeedButton1->setCaption(QStringLiteral("開始尋找"));
    SpeedButton1->setGlyph(LookupResources::picture(QStringLiteral("SEARCH")));
    SpeedButton1->OnClick = [this](QObject* sender) { SpeedButton1Click(sender); };

    SpeedButton2 = load.add(new TSpeedButton(Panel1, this), "SpeedButton2");
    SpeedButton2->setGeometry(419, 56, 81, 26);
    SpeedButton2->setCaption(QStringLiteral("條件重設"));
    SpeedButton2->setHint(QStringLiteral("重設條件"));
    SpeedButton2->setShowHint(true);
    SpeedButton2->setGlyph(LookupResources::picture(QStringLiteral("RESET")));
    SpeedButton2->OnClick = [this](QObject* sender) { SpeedButton2Click(sender); };

    DBGrid1 = load.add(new TwwDBGrid(Panel5, this), "DBGrid1");
    DBGrid1->setReadOnly(true);
    DBGrid1->setShowHorzScrollBar(true);
    DBGrid1->setTitleColor(SystemColors::reference(SystemColor::ButtonFace));
    DBGrid1->setTitleFont(dialogFont);
    DBGrid1->setTitleAlignment(Qt::AlignLeft);
    DBGrid1->setTitleLines(1);
    DBGrid1->setHideAllLines(true);
    DBGrid1->setFont(dialogFont);
    DBGrid1->PaintOptions().setBackgroundBitmap(LookupResources::picture(QStringLiteral("GRIDBACKGROUND")));
    DBGrid1->PaintOptions().setBackgroundDrawStyle(bdsStretch);
    DBGrid1->PaintOptions().setAlternatingRowColor(kAlternatingRowColor);
    DBGrid1->PaintOptions().setBackgroundOptions(coFillDataCells | coBlendFixedColumn | coBlendActiveRecord |
                                                  coBlendAlternatingRow);
    DBGrid1->OnKeyDown = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
        dbgrid1KeyDown(sender, key, shift);
    };

    ComboBox2 = new QComboBox(Panel5);
    ComboBox2->setGeometry(152, 32, 145, 20);
    ComboBox2->setVisible(false);

    struct CommandSpec {
        TSpeedButton** button;
        const char* name;
        const char* caption;
        const char* picture;
    };
    const CommandSpec commands[] = {
        {&BTCMDOK, "BTCMDOK", "確定&Y", "OK"},
        {&BDCMDNOT, "BDCMDNOT", "取消&C", "CANCEL"},
    };
    for (const CommandSpec& spec : commands) {
        auto* button = load.add(new TSpeedButton(Panel2, this), spec.name);
        button->setCaption(QString::fromUtf8(spec.caption));
        button->setFont(bigFont);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(palette);
        button->setGlyph(LookupResources::picture(QString::fromLatin1(spec.picture)));
        button->setNumGlyphs(2);
        *spec.button = button;
    }
    BTCMDOK->OnClick = [this](QObject* sender) { BTCMDOK1Click(sender); };
    BDCMDNOT->OnClick = [this](QObject* sender) { BDCMDNOTClick(sender); };

    SQLDataSet1 = new TSQLDataSet(this);
    load.add(SQLDataSet1, "SQLDataSet1");
    SQLDataSet1->setSQLConnection(connection);
    DataSetProvider1 = new TDataSetProvider(this);
    load.add(DataSetProvider1, "DataSetProvider1");
    DataSetProvider1->setDataSet(SQLDataSet1);
    DataSetProvider1->setOptions(poAllowCommandText);
    CDS_Query = new TClientDataSet(this);
    load.add(CDS_Query, "CDS_Query");
    CDS_Query->setProvider(DataSetProvider1);

    setTabOrder(ComboBox1, Edit1);
    setTabOrder(Edit1, RadioGroup1->button(0));
    setTabOrder(RadioGroup1->button(0), DBGrid1);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // The focus left the match-mode group for another control of this dialog.
        if (closing_ || !isVisible() || !old || !now || !RadioGroup1->isAncestorOf(old) ||
            RadioGroup1->isAncestorOf(now) || now->window() != this)
            return;
        dispatch([this] { RadioGroup1Exit(); });
    });

    load.finish([this] { FormCreate(); });
    layoutBands();
}

void TFrmgetdata::layoutBands()
{
    const LookupDialogLayout::Bands bands = LookupDialogLayout::compute(size());
    Panel1->setGeometry(bands.top);
    Panel2->setGeometry(bands.bottom);
    Panel3->setGeometry(bands.left);
    Panel4->setGeometry(bands.right);
    Panel5->setGeometry(bands.centre);
    DBGrid1->setGeometry(Panel5->contentsRect());
    BTCMDOK->setGeometry(bands.ok);
    BDCMDNOT->setGeometry(bands.cancel);
}

void TFrmgetdata::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutBands();
}

// ------------------------------------------------------------------ life cycle

void TFrmgetdata::FormCreate()
{
    statement_.clear();
}

bool TFrmgetdata::Execute()
{
    g_chosen = false;
    closing_ = false;
    inExecute_ = true;
    exec();
    inExecute_ = false;
    // Released only now: the caller reads the chosen row before control is back in the
    // message loop, which then destroys the dialog together with its search result.
    if (releaseRequested_)
        deleteLater();
    return g_chosen;
}

void TFrmgetdata::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    dispatch([this] { FormShow(); });
    dispatch([this] { FormActivate(); });
    ComboBox1->setFocus(Qt::OtherFocusReason);
}

void TFrmgetdata::FormShow()
{
    // Placed at the centre of the desktop.
    if (QScreen* screen = this->screen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

void TFrmgetdata::FormActivate()
{
    try {
        if (LookupSource) {
            DBGrid1->setDataSource(LookupSource);
            for (TDBSpeedButton* button : {dbSBtnFirst, dbSBtnLast, dbSBtnPrior, dbSBtnNext})
                button->setDataSource(LookupSource);
            if (TDataSet* ds = LookupSource->dataSet())
                for (int i = 0; i < ds->fieldCount(); ++i) {
                    ComboBox1->addItem(TextCodec::fromCp950(ds->field(i)->displayName()));
                    ComboBox2->addItem(TextCodec::fromCp950(ds->field(i)->fullName()));
                }
            // No entry is selected: the user picks the field to search.
            ComboBox1->setCurrentIndex(-1);
            ComboBox1->clearEditText();
        }
        SpeedButton2Click(this);
    } catch (...) {
        RadioGroup1->setItemIndex(0);
        throw;
    }
    RadioGroup1->setItemIndex(0);
}

void TFrmgetdata::done(int result)
{
    if (!closing_) {
        closing_ = true;
        dispatch([this] { FormClose(); });
    }
    QDialog::done(result);
}

void TFrmgetdata::FormClose()
{
    statement_.clear();
    statement_.shrink_to_fit();
    releaseRequested_ = true;
    if (!inExecute_)
        deleteLater();
}

void TFrmgetdata::closeDialog(bool chosen)
{
    g_chosen = chosen;
    if (chosen)
        accept();
    else
        reject();
}

// ------------------------------------------------------------------ search and reset

int TFrmgetdata::selectedFieldIndex() const
{
    const int index = ComboBox1->currentIndex();
    // Text typed by hand is never taken as a field name.
    if (index < 0 || ComboBox1->itemText(index) != ComboBox1->currentText())
        return -1;
    return index;
}

void TFrmgetdata::SpeedButton1Click(QObject*)
{
    if (ComboBox1->currentText().isEmpty()) {
        MessageBox::show(appTitle(), QStringLiteral("請選擇查詢條件!"));
        return;
    }
    const int index = selectedFieldIndex();
    const std::string fieldName =
        index >= 0 && index < ComboBox2->count() ? TextCodec::toCp950(ComboBox2->itemText(index)) : std::string();
    const auto mode = static_cast<MatchMode>(std::clamp(RadioGroup1->ItemIndex(), 0, 2));

    CDS_Query->close();
    statement_ = SearchStatement::lines(LookupTable, fieldName, mode, TextCodec::toCp950(Edit1->text()));
    CDS_Query->setCommandText(SearchStatement::text(statement_));
    CDS_Query->open();

    if (CDS_Query->recordCount() > 0) {
        if (LookupSource)
            LookupSource->setDataSet(CDS_Query);
    } else {
        MessageBox::show(appTitle(), QStringLiteral("找不到該條件資料!"));
    }
    // The result's fields carry their column names; the first ones take the caller's titles.
    for (int i = 0; i < ComboBox1->count(); ++i)
        DBGrid1->ColumnByIndex(i).setDisplayLabel(TextCodec::toCp950(ComboBox1->itemText(i)));
}

void TFrmgetdata::SpeedButton2Click(QObject*)
{
    Edit1->clear();
    auto refillLists = [this] {
        for (int i = 0; i < DBGrid1->FieldCount(); ++i) {
            const TField* field = DBGrid1->Fields(i);
            if (i < ComboBox1->count())
                ComboBox1->setItemText(i, TextCodec::fromCp950(field->displayName()));
            if (i < ComboBox2->count())
                ComboBox2->setItemText(i, TextCodec::fromCp950(field->fullName()));
        }
    };
    try {
        if (LookupSource)
            LookupSource->setDataSet(LookupDataSet);
    } catch (...) {
        refillLists();
        throw;
    }
    refillLists();
}

// ------------------------------------------------------------------ keys and buttons

bool TFrmgetdata::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    int key = keyEvent->key();
    if (watched == ComboBox1 || watched == ComboBox1->lineEdit()) {
        // The combo box's own list handles its keys while it is open.
        dispatch([&] { ComboBox1KeyDown(key); });
        return key == 0;
    }
    if (watched == Edit1) {
        dispatch([&] { Edit1KeyDown(key); });
        return key == 0;
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmgetdata::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the dialog only from the field list.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmgetdata::ComboBox1KeyDown(int& key)
{
    if (isEnter(key)) {
        key = 0;
        DBGrid1->setFocus(Qt::OtherFocusReason);
    } else if (key == Qt::Key_Escape) {
        key = 0;
        // Frmgetdata names this dialog while it is shown (each use is modal).
        closeDialog(false);
    }
}

void TFrmgetdata::Edit1KeyDown(int& key)
{
    if (!isEnter(key))
        return;
    key = 0;
    if (!Edit1->text().isEmpty())
        SpeedButton1Click(Edit1);
}

void TFrmgetdata::RadioGroup1Exit()
{
    if (!Edit1->text().isEmpty() && !ComboBox1->currentText().isEmpty())
        SpeedButton1Click(RadioGroup1);
}

void TFrmgetdata::dbgrid1KeyDown(QObject*, int& key, Qt::KeyboardModifiers)
{
    if (isEnter(key)) {
        key = 0;
        closeDialog(true);
    }
}

void TFrmgetdata::BTCMDOK1Click(QObject*)
{
    closeDialog(true);
}

void TFrmgetdata::BDCMDNOTClick(QObject*)
{
    closeDialog(false);
}
