#include "TbsSkinIni.h"

#include "Exception.h"

#include <algorithm>
#include <climits>

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string_view TbsSkinIni::trim(std::string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

TbsSkinIni TbsSkinIni::fromText(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return fromLines(lines);
}

TbsSkinIni TbsSkinIni::fromLines(const std::vector<std::string>& lines)
{
    TbsSkinIni ini;
    Section* current = nullptr;
    for (const std::string& raw : lines) {
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            current = &ini.findOrAdd(trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!current)
            continue;
        Line entry;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            entry.value = std::string(line);
        } else {
            entry.key = std::string(trim(line.substr(0, eq)));
            entry.value = std::string(trim(line.substr(eq + 1)));
            entry.hasKey = true;
        }
        current->lines.push_back(std::move(entry));
    }
    return ini;
}

const TbsSkinIni::Section* TbsSkinIni::find(std::string_view section) const
{
    const auto it = index_.find(lowerCase(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

TbsSkinIni::Section& TbsSkinIni::findOrAdd(std::string_view section)
{
    const std::string key = lowerCase(section);
    const auto it = index_.find(key);
    if (it != index_.end())
        return sections_[it->second];
    sections_.push_back(Section{std::string(section), {}});
    index_.emplace(key, sections_.size() - 1);
    return sections_.back();
}

void TbsSkinIni::reindex()
{
    index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        index_.emplace(lowerCase(sections_[i].name), i);
}

bool TbsSkinIni::sectionExists(std::string_view section) const { return find(section) != nullptr; }

std::optional<std::string_view> TbsSkinIni::value(std::string_view section, std::string_view key) const
{
    const Section* s = find(section);
    if (!s)
        return std::nullopt;
    for (const Line& line : s->lines)
        if (line.hasKey && equalsNoCase(line.key, key))
            return std::string_view(line.value);
    return std::nullopt;
}

std::optional<int> TbsSkinIni::parseInteger(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? hexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + unsigned(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (hex) {
        // Hexadecimal covers the whole 32 bits: $FFFFFFFF is -1.
        const unsigned bits = static_cast<unsigned>(magnitude);
        return static_cast<int>(negative ? 0u - bits : bits);
    }
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return std::nullopt;
    return negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
}

std::vector<int> TbsSkinIni::parseDigitFields(std::string_view text, int count)
{
    std::vector<std::string> fields(static_cast<std::size_t>(count));
    std::size_t field = 0;
    for (char c : text) {
        if (c == ',')
            ++field; // fields beyond `count` are ignored
        else if (c >= '0' && c <= '9' && field < fields.size())
            fields[field] += c;
    }
    std::vector<int> values;
    values.reserve(fields.size());
    for (const std::string& f : fields) {
        const std::optional<int> v = f.empty() ? std::nullopt : parseInteger(f);
        if (!v)
            throw EConvertError(formatMessage(Msg::InvalidInteger, f));
        values.push_back(*v);
    }
    return values;
}

TbsFontStyles TbsSkinIni::parseFontStyles(std::string_view text)
{
    TbsFontStyles s;
    s.Bold = text.find("fsbold") != std::string_view::npos;
    s.Italic = text.find("fsitalic") != std::string_view::npos;
    s.Underline = text.find("fsunderline") != std::string_view::npos;
    s.StrikeOut = text.find("fsstrikeout") != std::string_view::npos;
    return s;
}

TbsAlignment TbsSkinIni::parseAlignment(std::string_view text)
{
    if (text == "tacenter")
        return TbsAlignment::taCenter;
    if (text == "taleftjustify")
        return TbsAlignment::taLeftJustify;
    return TbsAlignment::taRightJustify;
}

TbsMorphKind TbsSkinIni::parseMorphKind(std::string_view text)
{
    static constexpr const char* words[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                            "mkleftslide", "mkrightslide", "mkpush"};
    for (int i = 0; i < 7; ++i)
        if (text == words[i])
            return TbsMorphKind(i);
    return TbsMorphKind::mkDefault;
}

TbsInactiveEffect TbsSkinIni::parseInactiveEffect(std::string_view text)
{
    static constexpr const char* words[] = {"iebrightness", "iedarkness", "iegrayscale",
                                            "ienoise", "iesplitblur", "ieinvert"};
    for (int i = 0; i < 6; ++i)
        if (text == words[i])
            return TbsInactiveEffect(i);
    return TbsInactiveEffect::ieBrightness;
}

TbsStdCommand TbsSkinIni::parseCommand(std::string_view text)
{
    if (text == "cmclose")
        return TbsStdCommand::cmClose;
    if (text == "cmmaximize")
        return TbsStdCommand::cmMaximize;
    if (text == "cmminimize")
        return TbsStdCommand::cmMinimize;
    if (text == "cmsysmenu")
        return TbsStdCommand::cmSysMenu;
    if (text == "cmdefault")
        return TbsStdCommand::cmDefault;
    return TbsStdCommand::cmRollUp;
}

std::string TbsSkinIni::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    const auto v = value(section, key);
    return std::string(v ? *v : def);
}

int TbsSkinIni::readInteger(std::string_view section, std::string_view key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    return parseInteger(*v).value_or(def);
}

bool TbsSkinIni::readBool(std::string_view section, std::string_view key) const
{
    return readInteger(section, key, 0) == 1;
}

TbsRect TbsSkinIni::readRect(std::string_view section, std::string_view key) const
{
    const auto v = parseDigitFields(value(section, key).value_or("0,0,0,0"), 4);
    return TbsRect{v[0], v[1], v[2], v[3]};
}

TbsPoint TbsSkinIni::readPoint(std::string_view section, std::string_view key) const
{
    const auto v = parseDigitFields(value(section, key).value_or("0,0"), 2);
    return TbsPoint{v[0], v[1]};
}

TbsFontStyles TbsSkinIni::readFontStyles(std::string_view section, std::string_view key) const
{
    return parseFontStyles(value(section, key).value_or(""));
}

TbsAlignment TbsSkinIni::readAlignment(std::string_view section, std::string_view key) const
{
    return parseAlignment(value(section, key).value_or("tacenter"));
}

TbsMorphKind TbsSkinIni::readMorphKind(std::string_view section, std::string_view key) const
{
    return parseMorphKind(value(section, key).value_or("mkdefault"));
}

TbsInactiveEffect TbsSkinIni::readInactiveEffect(std::string_view section, std::string_view key) const
{
    return parseInactiveEffect(value(section, key).value_or("iebrightness"));
}

TbsStdCommand TbsSkinIni::readCommand(std::string_view section, std::string_view key) const
{
    return parseCommand(value(section, key).value_or("cmdefault"));
}

void TbsSkinIni::eraseSection(std::string_view section)
{
    const auto it = index_.find(lowerCase(section));
    if (it == index_.end())
        return;
    sections_.erase(sections_.begin() + std::ptrdiff_t(it->second));
    reindex();
}

void TbsSkinIni::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = findOrAdd(section);
    for (Line& line : s.lines) {
        if (line.hasKey && equalsNoCase(line.key, key)) {
            line.value = std::string(value);
            return;
        }
    }
    s.lines.push_back(Line{std::string(key), std::string(value), true});
}

std::vector<std::string> TbsSkinIni::lines() const
{
    std::vector<std::string> out;
    for (const Section& s : sections_) {
        out.push_back("[" + s.name + "]");
        for (const Line& line : s.lines)
            out.push_back(line.hasKey ? line.key + "=" + line.value : line.value);
        out.emplace_back();
    }
    return out;
}

std::string TbsSkinIni::text() const
{
    std::string out;
    for (const std::string& line : lines())
        out += line + "\r\n";
    return out;
}

std::string TbsSkinIni::formatRect(const TbsRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + ","
         + std::to_string(r.Bottom);
}

std::string TbsSkinIni::formatPoint(const TbsPoint& p)
{
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string TbsSkinIni::formatFontStyles(const TbsFontStyles& s)
{
    std::string out;
    auto add = [&out](bool on, const char* word) {
        if (!on)
            return;
        if (!out.empty())
            out += ",";
        out += word;
    };
    add(s.Bold, "fsbold");
    add(s.Italic, "fsitalic");
    add(s.Underline, "fsunderline");
    add(s.StrikeOut, "fsstrikeout");
    return out;
}

const char* TbsSkinIni::alignmentWord(TbsAlignment a)
{
    switch (a) {
    case TbsAlignment::taCenter:
        return "tacenter";
    case TbsAlignment::taLeftJustify:
        return "taleftjustify";
    default:
        return "tarightjustify";
    }
}

const char* TbsSkinIni::morphKindWord(TbsMorphKind k)
{
    static constexpr const char* words[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                            "mkleftslide", "mkrightslide", "mkpush"};
    const int i = int(k);
    return i >= 0 && i < 7 ? words[i] : "mkdefault";
}

const char* TbsSkinIni::inactiveEffectWord(TbsInactiveEffect e)
{
    static constexpr const char* words[] = {"iebrightness", "iedarkness", "iegrayscale",
                                            "ienoise", "iesplitblur", "ieinvert"};
    const int i = int(e);
    return i >= 0 && i < 6 ? words[i] : "iebrightness";
}

const char* TbsSkinIni::commandWord(TbsStdCommand c)
{
    switch (c) {
    case TbsStdCommand::cmClose:
        return "cmclose";
    case TbsStdCommand::cmMaximize:
        return "cmmaximize";
    case TbsStdCommand::cmMinimize:
        return "cmminimize";
    case TbsStdCommand::cmSysMenu:
        return "cmsysmenu";
    case TbsStdCommand::cmDefault:
        return "cmdefault";
    default:
        return "cmrollup";
    }
}
