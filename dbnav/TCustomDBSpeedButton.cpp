#include "TCustomDBSpeedButton.h"

#include "Application.h"
#include "DataSet.h"
#include "DataSource.h"
#include "TMenuItem.h"

#include <QDir>
#include <QImage>

static void initDbnavResources()
{
    // The pictures live in this static library; make sure its resources are registered.
    Q_INIT_RESOURCE(dbnav);
}

namespace {
TDBButtonLanguage g_defaultLanguage = blUSEnglish;

// Held Prior and Next repeat: the first repeat after 400 ms, then every 100 ms.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;

// The program's bitmap resource of that name, compared without regard to case.
QImage loadResourceBitmap(const QString& name)
{
    initDbnavResources();
    const QDir dir(QStringLiteral(":/dbnav"));
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QImage(dir.filePath(entry));
    return {};
}

// Sets a flag for the lifetime of a scope, also when the scope is left by an exception.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};
}

TCustomDBSpeedButton::TCustomDBSpeedButton(QWidget* parent, TComponent* owner)
    : TSpeedButton(parent, owner), language_(g_defaultLanguage)
{
    dataLink_.OnEditingChanged = [this] { UpdateEnabled(); };
    dataLink_.OnDataSetChanged = [this] { UpdateEnabled(); };
    dataLink_.OnActiveChanged = [this] { UpdateEnabled(); };
    savedGlyphChange_ = OnGlyphChange;
    OnGlyphChange = [this] {
        customGlyph_ = true;
        if (savedGlyphChange_)
            savedGlyphChange_();
    };
    setAutoRepeatDelay(kRepeatDelayMs);
    setAutoRepeatInterval(kRepeatIntervalMs);
}

TCustomDBSpeedButton::~TCustomDBSpeedButton()
{
    destroying_ = true;
    if (menuItem_ && !menuItem_->isDestroying()) {
        menuItem_->OnClick = savedMenuClick_;
        menuItem_->removeFreeNotification(this);
    }
    if (TDataSource* source = DataSource())
        source->removeFreeNotification(this);
    dataLink_.setDataSource(nullptr);
}

TDBButtonLanguage TCustomDBSpeedButton::defaultLanguage()
{
    return g_defaultLanguage;
}

void TCustomDBSpeedButton::setDataSource(TDataSource* source)
{
    if (source == DataSource())
        return;
    if (TDataSource* old = DataSource())
        old->removeFreeNotification(this);
    dataLink_.setDataSource(source);
    if (!isLoading())
        UpdateEnabled();
    if (source)
        source->freeNotification(this);
}

void TCustomDBSpeedButton::setMenuItem(TMenuItem* item)
{
    if (item == menuItem_)
        return;
    if (menuItem_ && !menuItem_->isDestroying()) {
        menuItem_->OnClick = savedMenuClick_;
        menuItem_->removeFreeNotification(this);
    }
    savedMenuClick_ = {};
    if (item) {
        savedMenuClick_ = item->OnClick;
        item->OnClick = [this](QObject* sender) { menuItemClicked(sender); };
        item->freeNotification(this);
    }
    menuItem_ = item;
}

void TCustomDBSpeedButton::menuItemClicked(QObject* sender)
{
    Click();
    if (savedMenuClick_)
        savedMenuClick_(sender);
}

void TCustomDBSpeedButton::setRuntimeEnabled(bool enabled)
{
    runtimeEnabled_ = enabled;
    if (isLoading())
        return;
    {
        FlagScope evaluating(evaluating_);
        setEnabled(enabled);
    }
    UpdateEnabled();
}

void TCustomDBSpeedButton::setDataButtonType(TDBButtonType type)
{
    if (type == type_)
        return;
    if (isLoading()) {
        type_ = type;
        setAutoRepeat(DBButtonDefaults::repeats(type_));
        if (DBButtonDefaults::hasDefaultReasons(type_))
            disableReasons_ = DBButtonDefaults::disableReasons(type_);
        return;
    }
    setEnabled(true);
    if (type == nbCustom)
        customGlyph_ = true;
    else if (DBButtonDefaults::isDefaultHint(Hint(), language_))
        setHint(DBButtonDefaults::hint(type, language_));
    // Handing the enabled state back to the evaluation (RuntimeEnabled ends true).
    setEnabled(false);
    setEnabled(true);
    type_ = type;
    setAutoRepeat(DBButtonDefaults::repeats(type_));
    if (type_ != nbCustom)
        loadDefaultGlyph();
    if (DBButtonDefaults::hasDefaultReasons(type_))
        disableReasons_ = DBButtonDefaults::disableReasons(type_);
    UpdateEnabled();
}

void TCustomDBSpeedButton::setLanguage(TDBButtonLanguage language)
{
    if (language == language_)
        return;
    if (type_ != nbCustom && DBButtonDefaults::isDefaultHint(Hint(), language_))
        setHint(DBButtonDefaults::hint(type_, language));
    language_ = language;
    g_defaultLanguage = language;
}

void TCustomDBSpeedButton::loadDefaultGlyph()
{
    try {
        const QString name = DBButtonDefaults::pictureResourceName(type_);
        setGlyph(name.isEmpty() ? QImage() : loadResourceBitmap(name));
        setNumGlyphs(2);
        customGlyph_ = false;
    } catch (...) {
        // A picture that cannot be loaded leaves the button without one; nothing is reported.
    }
}

bool TCustomDBSpeedButton::RuntimeEnabled() const
{
    return runtimeEnabled_ && !disabledByProgram();
}

bool TCustomDBSpeedButton::disabledByProgram() const
{
    // The evaluation never leaves the widget's own disabled mark set (see UpdateEnabled), so
    // the mark is the program's: it disabled the button, perhaps while the evaluation had
    // already disabled it, when the widget reports no change.
    return !isLoading() && testAttribute(Qt::WA_ForceDisabled) && !evaluating_;
}

void TCustomDBSpeedButton::UpdateEnabled()
{
    if (disabledByProgram())
        runtimeEnabled_ = false;
    if (destroying_ || isDestroying() || !runtimeEnabled_)
        return;
    FlagScope evaluating(evaluating_);
    const bool was = isEnabled();
    bool enabled = false;
    if (dataLink_.active()) {
        const TDataSet* ds = dataLink_.dataSet();
        TDBBDisableReasons now;
        if (ds->bof())
            now.include(drBOF);
        if (ds->eof())
            now.include(drEOF);
        if (!ds->canModify())
            now.include(drReadonly);
        if (ds->bof() && ds->eof())
            now.include(drEmpty);
        now.include(dataLink_.editing() ? drEditing : drNotEditing);
        enabled = !now.intersects(disableReasons_);
    }
    setEnabled(enabled);
    // A widget disabled by itself keeps a mark that a later setEnabled(false) of the program
    // would not change, and so not report; the evaluation's disabling leaves no such mark.
    setAttribute(Qt::WA_ForceDisabled, false);
    if (menuItem_)
        menuItem_->setEnabled(enabled);
    if (enabled != was && OnEnabledChanged)
        OnEnabledChanged(this);
}

void TCustomDBSpeedButton::enabledChanged()
{
    if (evaluating_ || isLoading() || destroying_ || isDestroying())
        return;
    runtimeEnabled_ = !testAttribute(Qt::WA_ForceDisabled);
    UpdateEnabled();
}

void TCustomDBSpeedButton::loaded()
{
    TSpeedButton::loaded();
    if (Glyph().isNull())
        loadDefaultGlyph();
    {
        FlagScope evaluating(evaluating_);
        setEnabled(runtimeEnabled_);
    }
    UpdateEnabled();
}

void TCustomDBSpeedButton::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component) {
        if (component == DataSource()) {
            dataLink_.setDataSource(nullptr);
            UpdateEnabled();
        }
        if (component == menuItem_) {
            menuItem_ = nullptr;
            savedMenuClick_ = {};
        }
    }
    TSpeedButton::notification(component, operation);
}

void TCustomDBSpeedButton::Click()
{
    TSpeedButton::Click();
    DoAction();
}

void TCustomDBSpeedButton::GetQuestion(QString& question, MessageBox::Buttons& buttons, int& helpCtx)
{
    question = type_ == nbDelete && confirmDelete_ ? QStringLiteral("Delete record?") : QString();
    buttons = QMessageBox::Ok | QMessageBox::Cancel;
    helpCtx = 0;
    if (OnGetQuestion)
        OnGetQuestion(this, question, buttons, helpCtx);
}

bool TCustomDBSpeedButton::ConfirmAction()
{
    QString question;
    MessageBox::Buttons buttons;
    int helpCtx = 0;
    GetQuestion(question, buttons, helpCtx);
    if (question.isEmpty())
        return true;
    const MessageBox::Button answer =
        MessageBox::show(QStringLiteral("Confirm"), question, QMessageBox::Question, buttons);
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

void TCustomDBSpeedButton::BeforeAction(bool& actionIsDone)
{
    if (OnBeforeAction)
        OnBeforeAction(this, actionIsDone);
}

void TCustomDBSpeedButton::DoAction()
{
    if (!ConfirmAction())
        return;
    try {
        bool actionIsDone = type_ == nbCustom;
        BeforeAction(actionIsDone);
        TDataSource* source = DataSource();
        if (!actionIsDone && source && source->state() != TDataSetState::dsInactive)
            performDatasetAction();
    } catch (...) {
        if (!OnAfterAction)
            throw;
        bool error = true;
        OnAfterAction(this, error);
        if (error)
            throw;
        return;
    }
    if (OnAfterAction) {
        bool error = false;
        OnAfterAction(this, error);
    }
}

void TCustomDBSpeedButton::performDatasetAction()
{
    TDataSet* ds = DataSource()->dataSet();
    switch (type_) {
    case nbFirst: ds->first(); break;
    case nbPrior: ds->prior(); break;
    case nbNext: ds->next(); break;
    case nbLast: ds->last(); break;
    case nbInsert: ds->insert(); break;
    case nbAppend: ds->append(); break;
    case nbDelete: ds->deleteRecord(); break;
    case nbEdit: ds->edit(); break;
    case nbPost: ds->post(); break;
    case nbCancel: ds->cancel(); break;
    case nbRefresh: ds->refresh(); break;
    case nbCustom: break;
    }
}
