#include "Tfrmcust_prod.h"

#include "ChildAlign.h"
#include "ClientDataSet.h"
#include "FormLoader.h"
#include "ReportRun.h"
#include "SkinControlsRelay.h"
#include "TDBMemo.h"
#include "TbsSkinButton.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TbsSkinForms.h"
#include "TbsSkinFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

Tfrmcust_prod::Tfrmcust_prod(QWidget* parent) : QWidget(parent), TComponent(nullptr)
{
    setName("frmcust_prod");
    // The skin data object announces its loads to the forms; the window must be listening
    // before its references are resolved, since that is when the skin loads.
    TbsSkinForms::add(this, this);
    try {
        reportRun_ = std::make_unique<ReportRun>(*this);
        FormLoader load(*this);
        readFormData(load);
        connectEvents();
        setTabOrder();
        load.finish([this] { FormCreate(); });
        // The form data gives the size of the client area; the skinned frame's borders, known
        // once the skin is in force, go around it.
        resize(size().grownBy(contentsMargins()));
        centreOnScreen();
    } catch (...) {
        // The destructor does not run for a window whose construction failed.
        TbsSkinForms::remove(this);
        throw;
    }
}

Tfrmcust_prod::~Tfrmcust_prod()
{
    TbsSkinForms::remove(this);
}

void Tfrmcust_prod::FormCreate()
{
    // The remark typed into DBMemo1; its field name is the header field it ends up in.
    ClientDataSet2->fieldDefs().add("Field13", FieldType::String, 200);
    ClientDataSet2->createDataSet();
    ClientDataSet2->open();
}

void Tfrmcust_prod::bsSkinButton1Click(QObject* /*Sender*/)
{
    reportRun_->run();
}

void Tfrmcust_prod::bsSkinButton2Click(QObject* /*Sender*/)
{
    close();
}

void Tfrmcust_prod::skinMessage(int message, TbsSkinData* wParam, int /*lParam*/)
{
    // The skinned frame passes the messages on to the controls; without one the window does.
    if (findChild<TbsSkinFrame*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    RelaySkinMessageToControls(this, message, wParam);
}

void Tfrmcust_prod::connectEvents()
{
    CUST1->OnButtonClick = [this](QObject* sender) { CUST1ButtonClick(sender); };
    CUST2->OnButtonClick = [this](QObject* sender) { CUST2ButtonClick(sender); };
    bsSkinButton1->OnClick = [this](QObject* sender) { bsSkinButton1Click(sender); };
    bsSkinButton2->OnClick = [this](QObject* sender) { bsSkinButton2Click(sender); };
}

void Tfrmcust_prod::setTabOrder()
{
    // The customer codes come before the dates, though the dates are above them; the lower
    // panel's buttons follow the upper panel's controls.
    QWidget* const order[] = {CUST1,       CUST2,   bsSkinDateEdit1, bsSkinDateEdit2,
                              bsSkinEdit1, DBMemo1, bsSkinButton1,   bsSkinButton2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void Tfrmcust_prod::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void Tfrmcust_prod::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The upper panel keeps its height along the top; the lower one takes the rest of the
    // client area, inside the margins the skinned frame takes.
    alignChildren(this, contentsRect());
}

void Tfrmcust_prod::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // The first control of the tab order has the focus when the window appears.
        CUST1->setFocus(Qt::OtherFocusReason);
    }
}
