#pragma once
// The plain data-bound memo: shows a field of a data source's dataset and writes the typed
// text back into it when it loses the focus. Field values are bytes in the system code page;
// the memo shows them as Unicode.

#include "Component.h"
#include "FieldDataLink.h"

#include <QPlainTextEdit>
#include <string>

class TDataSource;

class TDBMemo : public QPlainTextEdit, public TComponent {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TDBMemo() override;
    const char* className() const noexcept override { return "TDBMemo"; }

    TDataSource* DataSource() const { return FDataLink.dataSource(); }
    void setDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink.fieldName(); }
    void setDataField(const std::string& value) { FDataLink.setFieldName(value); }
    bool ReadOnly() const { return FReadOnly; }
    void setReadOnly(bool value);

    // The memo's preferred input method (form data); the system's input method serves here.
    const QString& ImeName() const { return FImeName; }
    void setImeName(const QString& value) { FImeName = value; }

    void notification(TComponent* component, Operation operation) override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void loadFromField();

    TFieldDataLink FDataLink;
    bool FReadOnly = false;
    bool FLoading = false;
    bool FStartingEdit = false;
    QString FImeName;
};
