#include "DBButtonTypes.h"

#include <array>

namespace DBButtonDefaults {

namespace {
constexpr int kTypeCount = nbRefresh + 1;
constexpr int kLanguageCount = blSpanish + 1;

// Rows by type, columns by language.
const std::array<std::array<const char*, kLanguageCount>, kTypeCount> kHints = {{
    {"", "", "", "", ""},
    {"First", "ראשונה", "Primeiro", "Anfang", "Primero"},
    {"Prior", "הקודמת", "Anterior", "Zurück", "Anterior"},
    {"Next", "הבאה", "Próximo", "Vor", "Siguiente"},
    {"Last", "האחרונה", "Último", "Ende", "Último"},
    {"New", "חדשה", "Insere", "Neu", "Insertar"},
    {"New", "חדשה", "Insere", "Neu", "Insertar"},
    {"Delete", "מחיקה", "Exclui", "Löschen", "Borrar"},
    {"Edit", "עריכה", "Edita", "Ändern", "Editar"},
    {"Save", "שמירה", "Salva", "Sichern", "Guardar"},
    {"Cancel", "ביטול", "Cancela", "Abbrechen", "Cancelar"},
    {"Refresh", "רענון", "Atualiza", "Aktualisieren", "Actualizar"},
}};

const std::array<const char*, kTypeCount> kSuffixes = {
    "", "FIRST", "PRIOR", "NEXT", "LAST", "INSERT", "INSERT", "DELETE", "EDIT", "POST", "CANCEL", "REFRESH"};

bool validType(TDBButtonType type) { return type >= 0 && type < kTypeCount; }
bool validLanguage(TDBButtonLanguage language) { return language >= 0 && language < kLanguageCount; }
}

TDBBDisableReasons disableReasons(TDBButtonType type)
{
    switch (type) {
    case nbFirst:
    case nbPrior:
        return {drBOF, drEditing, drEmpty};
    case nbNext:
    case nbLast:
        return {drEOF, drEditing, drEmpty};
    case nbInsert:
    case nbAppend:
        return {drReadonly, drEditing};
    case nbDelete:
    case nbEdit:
        return {drReadonly, drEditing, drEmpty};
    case nbPost:
    case nbCancel:
        return {drNotEditing};
    case nbRefresh:
        return {drEditing};
    case nbCustom:
        break;
    }
    return {};
}

bool hasDefaultReasons(TDBButtonType type)
{
    return type != nbCustom;
}

QString pictureSuffix(TDBButtonType type)
{
    return validType(type) ? QString::fromLatin1(kSuffixes[type]) : QString();
}

QString pictureResourceName(TDBButtonType type)
{
    const QString suffix = pictureSuffix(type);
    return suffix.isEmpty() ? QString() : QStringLiteral("dbn_%1").arg(suffix);
}

bool repeats(TDBButtonType type)
{
    return type == nbPrior || type == nbNext;
}

QString hint(TDBButtonType type, TDBButtonLanguage language)
{
    if (!validType(type) || !validLanguage(language))
        return {};
    return QString::fromUtf8(kHints[type][language]);
}

bool isDefaultHint(const QString& text, TDBButtonLanguage language)
{
    if (text.isEmpty())
        return true;
    for (int type = nbFirst; type < kTypeCount; ++type)
        if (text == hint(TDBButtonType(type), language))
            return true;
    return false;
}

}
