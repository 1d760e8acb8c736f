#pragma once
// A loaded skin written out for people and for tools (the skin packer's "dump" command).
//
// JSON: one object with
//   "skininfo"    the five [VERSION] strings by key
//   "forminfo", "popupwindow", "hintwindow"   key -> value
//   "pictures"    {"main", "inactive", "mask": [width, height, bits per pixel] or null,
//                  "active": a list of the same}
//   "objects", "controls"   the data objects in list order, each
//                  {"class": data class name, "idname": IDName, "fields": key -> value}
// Keys are the skin's keys in lower case. Values by reader type: integers and colours as
// numbers, booleans as true/false, rects as [left, top, right, bottom], points as [x, y],
// strings decoded from CP950, font styles as a list of "fsbold", "fsitalic", "fsunderline",
// "fsstrikeout", alignment as its word, morph kind and inactive effect as their numbers,
// command as its word. For a "Pictures" value alone (no INI text) every part but
// "pictures" is null and the two lists are empty.
//
// Text: the same content as INI-like lines, values written as the skin writes them.

#include "TbsSkinPictures.h"

#include <QJsonObject>
#include <string>

class TbsSkinData;

namespace SkinDump {

QJsonObject toJson(const TbsSkinData& skin);
QJsonObject picturesOnlyJson(const TbsSkinPictures& pictures);

std::string toText(const TbsSkinData& skin);
std::string picturesOnlyText(const TbsSkinPictures& pictures);

}
