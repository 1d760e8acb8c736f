#include "SkinDump.h"

#include "TbsSkinData.h"
#include "TbsSkinIni.h"
#include "TextCodec.h"

#include <QJsonArray>
#include <sstream>

namespace SkinDump {
namespace {

std::string lowerCase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

QJsonValue fieldJson(const TbsSkinField& f)
{
    switch (f.type) {
    case TbsSkinValueType::Integer:
    case TbsSkinValueType::Color:
    case TbsSkinValueType::FontHeight:
        return *std::get<int*>(f.target);
    case TbsSkinValueType::Boolean:
        return *std::get<bool*>(f.target);
    case TbsSkinValueType::Rect: {
        const TbsRect& r = *std::get<TbsRect*>(f.target);
        return QJsonArray{r.Left, r.Top, r.Right, r.Bottom};
    }
    case TbsSkinValueType::Point: {
        const TbsPoint& p = *std::get<TbsPoint*>(f.target);
        return QJsonArray{p.X, p.Y};
    }
    case TbsSkinValueType::FontStyle: {
        const TbsFontStyles& s = *std::get<TbsFontStyles*>(f.target);
        QJsonArray words;
        if (s.Bold)
            words.append("fsbold");
        if (s.Italic)
            words.append("fsitalic");
        if (s.Underline)
            words.append("fsunderline");
        if (s.StrikeOut)
            words.append("fsstrikeout");
        return words;
    }
    case TbsSkinValueType::Alignment:
        return TbsSkinIni::alignmentWord(*std::get<TbsAlignment*>(f.target));
    case TbsSkinValueType::MorphKind:
        return int(*std::get<TbsMorphKind*>(f.target));
    case TbsSkinValueType::InactiveEffect:
        return int(*std::get<TbsInactiveEffect*>(f.target));
    case TbsSkinValueType::Command:
        return TbsSkinIni::commandWord(*std::get<TbsStdCommand*>(f.target));
    case TbsSkinValueType::String:
    case TbsSkinValueType::FontName:
    case TbsSkinValueType::SectionReference:
        break;
    }
    return TextCodec::fromCp950(std::get<TbsSkinText*>(f.target)->str());
}

QJsonObject fieldsJson(const TbsSkinSectionData& data)
{
    QJsonObject out;
    const TbsSkinFields fields = data.fields();
    for (const TbsSkinField& f : fields.list())
        out.insert(QString::fromStdString(lowerCase(f.key)), fieldJson(f));
    return out;
}

template <class List>
QJsonArray listJson(const List& list)
{
    QJsonArray out;
    for (const auto& item : list)
        out.append(QJsonObject{{"class", item->className()},
                               {"idname", TextCodec::fromCp950(item->IDName)},
                               {"fields", fieldsJson(*item)}});
    return out;
}

QJsonValue pictureJson(const QImage& image)
{
    if (image.isNull())
        return QJsonValue::Null;
    return QJsonArray{image.width(), image.height(), image.depth()};
}

QJsonObject picturesJson(const QImage& main, const QImage& inactive, const QImage& mask,
                         const std::vector<QImage>& active)
{
    QJsonArray list;
    for (const QImage& image : active)
        list.append(pictureJson(image));
    return QJsonObject{{"main", pictureJson(main)}, {"inactive", pictureJson(inactive)},
                       {"mask", pictureJson(mask)}, {"active", list}};
}

std::string pictureText(const QImage& image)
{
    if (image.isNull())
        return "none";
    return std::to_string(image.width()) + "x" + std::to_string(image.height()) + ", " +
           std::to_string(image.depth()) + " bits";
}

void picturesText(std::ostringstream& out, const QImage& main, const QImage& inactive, const QImage& mask,
                  const std::vector<QImage>& active)
{
    out << "[pictures]\n";
    out << "main=" << pictureText(main) << "\n";
    out << "inactive=" << pictureText(inactive) << "\n";
    out << "mask=" << pictureText(mask) << "\n";
    out << "activecount=" << active.size() << "\n";
    for (std::size_t i = 0; i < active.size(); ++i)
        out << i << "=" << pictureText(active[i]) << "\n";
}

void sectionText(std::ostringstream& out, const std::string& header, const TbsSkinSectionData& data)
{
    out << "\n[" << header << "]\n";
    const TbsSkinFields fields = data.fields();
    for (const TbsSkinField& f : fields.list())
        out << lowerCase(f.key) << "=" << TextCodec::cp950ToUtf8(TbsSkinFields::text(f)) << "\n";
}

} // namespace

QJsonObject toJson(const TbsSkinData& skin)
{
    const TbsSkinInfo& info = skin.SkinInfo();
    return QJsonObject{
        {"skininfo", QJsonObject{{"skinname", TextCodec::fromCp950(info.SkinName)},
                                 {"skinauthor", TextCodec::fromCp950(info.SkinAuthor)},
                                 {"authoremail", TextCodec::fromCp950(info.AuthorEMail)},
                                 {"authorurl", TextCodec::fromCp950(info.AuthorURL)},
                                 {"skincomments", TextCodec::fromCp950(info.SkinComments)}}},
        {"forminfo", fieldsJson(skin.FormInfo())},
        {"popupwindow", fieldsJson(skin.PopupWindowData())},
        {"hintwindow", fieldsJson(skin.HintWindowData())},
        {"pictures", picturesJson(skin.MainPicture(), skin.InactivePicture(), skin.MaskPicture(), skin.ActivePictures())},
        {"objects", listJson(skin.ObjectDataList())},
        {"controls", listJson(skin.ControlDataList())},
    };
}

QJsonObject picturesOnlyJson(const TbsSkinPictures& p)
{
    return QJsonObject{
        {"skininfo", QJsonValue::Null},
        {"forminfo", QJsonValue::Null},
        {"popupwindow", QJsonValue::Null},
        {"hintwindow", QJsonValue::Null},
        {"pictures", picturesJson(p.MainPicture, p.InactivePicture, p.MaskPicture, p.ActivePictures)},
        {"objects", QJsonArray{}},
        {"controls", QJsonArray{}},
    };
}

std::string toText(const TbsSkinData& skin)
{
    std::ostringstream out;
    const TbsSkinInfo& info = skin.SkinInfo();
    out << "[skininfo]\n"
        << "skinname=" << TextCodec::cp950ToUtf8(info.SkinName) << "\n"
        << "skinauthor=" << TextCodec::cp950ToUtf8(info.SkinAuthor) << "\n"
        << "authoremail=" << TextCodec::cp950ToUtf8(info.AuthorEMail) << "\n"
        << "authorurl=" << TextCodec::cp950ToUtf8(info.AuthorURL) << "\n"
        << "skincomments=" << TextCodec::cp950ToUtf8(info.SkinComments) << "\n\n";
    picturesText(out, skin.MainPicture(), skin.InactivePicture(), skin.MaskPicture(), skin.ActivePictures());
    sectionText(out, "forminfo", skin.FormInfo());
    sectionText(out, "popupwindow", skin.PopupWindowData());
    sectionText(out, "hintwindow", skin.HintWindowData());
    for (std::size_t i = 0; i < skin.ObjectDataList().size(); ++i) {
        const auto& item = skin.ObjectDataList()[i];
        sectionText(out, "object " + std::to_string(i) + ": " + TextCodec::cp950ToUtf8(item->IDName) + " (" +
                             item->className() + ")", *item);
    }
    for (std::size_t i = 0; i < skin.ControlDataList().size(); ++i) {
        const auto& item = skin.ControlDataList()[i];
        sectionText(out, "control " + std::to_string(i) + ": " + TextCodec::cp950ToUtf8(item->IDName) + " (" +
                             item->className() + ")", *item);
    }
    return out.str();
}

std::string picturesOnlyText(const TbsSkinPictures& p)
{
    std::ostringstream out;
    picturesText(out, p.MainPicture, p.InactivePicture, p.MaskPicture, p.ActivePictures);
    return out.str();
}

}
