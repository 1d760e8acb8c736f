#include "FontMapper.h"

#include "TextCodec.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

namespace FontMapper {

namespace {

const QString& uming()
{
    static const QString face = QStringLiteral("AR PL UMing TW");
    return face;
}

const QHash<QString, QString>& substitutions()
{
    static const QHash<QString, QString> table = [] {
        const QString sans = QStringLiteral("Liberation Sans");
        const QString ukai = QStringLiteral("AR PL UKai TW");
        QHash<QString, QString> t;
        auto add = [&t](const QString& from, const QString& to) { t.insert(from.toCaseFolded(), to); };
        add(QStringLiteral("Arial"), sans);
        add(QStringLiteral("MS Sans Serif"), sans);
        add(QStringLiteral("MS Shell Dlg"), sans);
        add(QStringLiteral("MS Shell Dlg 2"), sans);
        add(QStringLiteral("Tahoma"), sans);
        add(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        add(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        add(QString::fromUtf8("新細明體"), uming());
        add(QString::fromUtf8("細明體"), uming());
        add(QStringLiteral("PMingLiU"), uming());
        add(QStringLiteral("MingLiU"), uming());
        add(QString::fromUtf8("宋体"), uming());
        add(QString::fromUtf8("宋體"), uming());
        add(QStringLiteral("SimSun"), uming());
        // The skins' GBK face name read as if it were Big5, as a CP950 reader of the skin
        // text would hand it over.
        add(TextCodec::fromCp950("\xCB\xCE\xCC\xE5"), uming());
        add(QString::fromUtf8("標楷體"), ukai);
        add(QStringLiteral("DFKai-SB"), ukai);
        return t;
    }();
    return table;
}

}

QString substituteFace(const QString& faceName)
{
    const QString trimmed = faceName.trimmed();
    return substitutions().value(trimmed.toCaseFolded(), trimmed);
}

QString substituteFaceBytes(std::string_view faceNameBytes)
{
    // The skins name their face in GBK; Big5 decoding would turn it into other characters.
    if (faceNameBytes == std::string_view("\xCB\xCE\xCC\xE5"))
        return uming();
    return substituteFace(TextCodec::fromCp950(faceNameBytes));
}

int pixelSizeForHeight(const QString& installedFace, int height)
{
    if (height <= 0)
        return -height;
    // Measured at a large size so that the metrics carry the design proportions.
    constexpr int reference = 1000;
    QFont probe(installedFace);
    probe.setPixelSize(reference);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell <= 0)
        return height;
    const int size = static_cast<int>(std::lround(height * reference / cell));
    return size < 1 ? 1 : size;
}

QFont makeFont(const QString& faceName, int height)
{
    const QString face = substituteFace(faceName);
    QFont font(face);
    if (const int pixels = pixelSizeForHeight(face, height); pixels > 0)
        font.setPixelSize(pixels);
    return font;
}

QFont makeFontFromBytes(std::string_view faceNameBytes, int height)
{
    return makeFont(substituteFaceBytes(faceNameBytes), height);
}

}
