#include "TDBMemo.h"

#include "DataSource.h"
#include "EventDispatch.h"
#include "Field.h"
#include "TextCodec.h"


TDBMemo::TDBMemo(QWidget* parent, TComponent* owner) : QPlainTextEdit(parent), TComponent(owner)
{
    setFrameShape(QFrame::StyledPanel);
    FDataLink.onDataChange = [this] { loadFromField(); };
    FDataLink.onActiveChange = [this] { loadFromField(); };
    FDataLink.onUpdateData = [this] {
        if (TField* field = FDataLink.field())
            field->setAsString(TextCodec::toCp950(toPlainText()));
    };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (FLoading)
            return;
        runGuarded([this] {
            // Starting the edit may insert a record; its empty value must not replace the
            // text just typed.
            FStartingEdit = true;
            const bool editing = FDataLink.beginChange();
            FStartingEdit = false;
            if (!editing)
                loadFromField();
        });
    });
}

TDBMemo::~TDBMemo()
{
    FDataLink.onDataChange = nullptr;
    FDataLink.onActiveChange = nullptr;
    FDataLink.onUpdateData = nullptr;
}

void TDBMemo::setDataSource(TDataSource* value)
{
    FDataLink.setDataSource(value);
    if (value)
        value->freeNotification(this);
    loadFromField();
}

void TDBMemo::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component == FDataLink.dataSource())
        FDataLink.setDataSource(nullptr);
    TComponent::notification(component, operation);
}

void TDBMemo::setReadOnly(bool value)
{
    FReadOnly = value;
    QPlainTextEdit::setReadOnly(value);
    FDataLink.setReadOnly(value);
}

void TDBMemo::loadFromField()
{
    if (FStartingEdit)
        return;
    FLoading = true;
    TField* field = FDataLink.field();
    const QString text = field ? TextCodec::fromCp950(field->asString()) : QString();
    if (text != toPlainText())
        setPlainText(text);
    FLoading = false;
}

void TDBMemo::focusOutEvent(QFocusEvent* event)
{
    runGuarded([this] { FDataLink.focusLost(); });
    QPlainTextEdit::focusOutEvent(event);
}
