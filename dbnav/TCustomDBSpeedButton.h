#pragma once
// A speed button bound to a data source that performs one dataset operation when clicked and
// enables itself from the dataset's state (see docs/lookup.md for the rules in full).
//
// Enable rule: while RuntimeEnabled is true, the button is enabled exactly when none of the
// dataset's current conditions (at the beginning, at the end, read-only, editing or not,
// empty) is one of its DisableReasons; without an open dataset it is disabled. A program
// that disables the button sets RuntimeEnabled false and keeps it disabled; enabling it
// hands it back to the evaluation.

#include "DBButtonTypes.h"
#include "TDBBtnDataLink.h"
#include "TSpeedButton.h"

#include "MessageBox.h"

#include <functional>

class TDataSource;
class TMenuItem;

class TCustomDBSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    using TBeforeActionEvent = std::function<void(QObject* Sender, bool& ActionIsDone)>;
    using TAfterActionEvent = std::function<void(QObject* Sender, bool& Error)>;
    using TGetQuestionEvent =
        std::function<void(QObject* Sender, QString& Question, MessageBox::Buttons& Buttons, int& HelpCtx)>;

    explicit TCustomDBSpeedButton(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TCustomDBSpeedButton() override;
    const char* className() const noexcept override { return "TCustomDBSpeedButton"; }

    TDataSource* DataSource() const { return dataLink_.dataSource(); }
    void setDataSource(TDataSource* source);
    TMenuItem* MenuItem() const { return menuItem_; }
    void setMenuItem(TMenuItem* item);
    TDBBDisableReasons DisableReasons() const { return disableReasons_; }
    void setDisableReasons(TDBBDisableReasons reasons) { disableReasons_ = reasons; }
    bool ConfirmDelete() const { return confirmDelete_; }
    void setConfirmDelete(bool confirm) { confirmDelete_ = confirm; }
    bool RuntimeEnabled() const;
    void setRuntimeEnabled(bool enabled);
    TDBButtonType DataButtonType() const { return type_; }
    void setDataButtonType(TDBButtonType type);
    TDBButtonLanguage Language() const { return language_; }
    void setLanguage(TDBButtonLanguage language);
    // The language that buttons created from now on take.
    static TDBButtonLanguage defaultLanguage();
    // The picture was set by someone other than the default loader.
    bool customGlyph() const { return customGlyph_; }

    TBeforeActionEvent OnBeforeAction;
    TAfterActionEvent OnAfterAction;
    TGetQuestionEvent OnGetQuestion;
    std::function<void(QObject* Sender)> OnEnabledChanged;

    // Button prefix of automatically named components.
    virtual QString namePrefix() const { return QStringLiteral("dbSBtn"); }
    virtual void GetQuestion(QString& question, MessageBox::Buttons& buttons, int& helpCtx);
    virtual bool ConfirmAction();
    virtual void UpdateEnabled();
    virtual void BeforeAction(bool& actionIsDone);
    virtual void DoAction();

    // OnClick, then the action.
    void Click() override;
    void loaded() override;
    void notification(TComponent* component, Operation operation) override;

    // Loads the type's picture from the program's resources ("dbn_first", ...).
    void loadDefaultGlyph();

protected:
    void enabledChanged() override;

private:
    void performDatasetAction();
    bool disabledByProgram() const;
    void menuItemClicked(QObject* sender);

    TDBBDisableReasons disableReasons_;
    TDBBtnDataLink dataLink_;
    TMenuItem* menuItem_ = nullptr;
    std::function<void(QObject*)> savedMenuClick_;
    bool confirmDelete_ = true;
    bool runtimeEnabled_ = true;
    TDBButtonType type_ = nbCustom;
    TDBButtonLanguage language_;
    std::function<void()> savedGlyphChange_;
    bool customGlyph_ = false;
    bool evaluating_ = false;
    bool destroying_ = false;
};
