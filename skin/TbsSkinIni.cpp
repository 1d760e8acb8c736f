#include "TbsSkinIni.h"

#include "Exception.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

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

namespace {

std::uint64_t hashNoCase(std::string_view text, std::uint64_t seed)
{
    std::uint64_t h = 1469598103934665603ull ^ (seed * 0x9E3779B97F4A7C15ull);
    for (char c : text) {
        h ^= static_cast<unsigned char>(lower(c));
        h *= 1099511628211ull;
    }
    return h ^ (h >> 29);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

template <class Equal>
std::uint32_t tableFind(const std::vector<std::uint32_t>& cells, std::uint64_t hash, Equal equal)
{
    if (cells.empty())
        return 0xFFFFFFFFu;
    const std::size_t mask = cells.size() - 1;
    for (std::size_t i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
        const std::uint32_t id = cells[i];
        if (id == 0xFFFFFFFFu || equal(id))
            return id;
    }
}

template <class HashOf>
void tableInsert(std::vector<std::uint32_t>& cells, std::size_t& used, std::uint32_t id, std::uint64_t hash,
                 HashOf hashOf)
{
    if ((used + 1) * 4 > cells.size() * 3) {
        std::vector<std::uint32_t> old(std::max<std::size_t>(16, cells.size() * 2), 0xFFFFFFFFu);
        old.swap(cells);
        const std::size_t mask = cells.size() - 1;
        for (std::uint32_t moved : old) {
            if (moved == 0xFFFFFFFFu)
                continue;
            std::size_t i = std::size_t(hashOf(moved)) & mask;
            while (cells[i] != 0xFFFFFFFFu)
                i = (i + 1) & mask;
            cells[i] = moved;
        }
    }
    const std::size_t mask = cells.size() - 1;
    std::size_t i = std::size_t(hash) & mask;
    while (cells[i] != 0xFFFFFFFFu)
        i = (i + 1) & mask;
    cells[i] = id;
    ++used;
}

// The key as the list sections write a number: decimal digits, no sign, no leading zero.
std::optional<std::int64_t> plainNumber(std::string_view key)
{
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key.front() == '0'))
        return std::nullopt;
    std::int64_t n = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

TbsSkinIni TbsSkinIni::fromText(std::string_view text)
{
    TbsSkinIni ini;
    std::uint32_t current = kNone;
    std::size_t start = 0;
    bool first = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            ini.parseLine(text.substr(start, i - start), current, first);
            first = false;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        ini.parseLine(text.substr(start), current, first);
    return ini;
}

TbsSkinIni TbsSkinIni::fromLines(const std::vector<std::string>& lines)
{
    TbsSkinIni ini;
    std::uint32_t current = kNone;
    bool first = true;
    for (const std::string& raw : lines) {
        ini.parseLine(raw, current, first);
        first = false;
    }
    return ini;
}

void TbsSkinIni::parseLine(std::string_view raw, std::uint32_t& current, bool first)
{
    if (first && raw.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        raw.remove_prefix(kByteOrderMark.size());
    const std::string_view line = trim(raw);
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
        const std::string_view name = trim(line.substr(1, line.size() - 2));
        current = findSection(name);
        if (current == kNone)
            current = addSection(name);
        return;
    }
    if (current == kNone)
        return;
    const std::size_t eq = line.find('=');
    Line entry{current, 0, kNone, 0};
    if (eq == std::string_view::npos) {
        entry.at = append(line);
        entry.valueLength = std::uint32_t(line.size());
    } else {
        const std::string_view key = trim(line.substr(0, eq));
        const std::string_view value = trim(line.substr(eq + 1));
        entry.at = append(key);
        append(value);
        entry.keyLength = std::uint32_t(key.size());
        entry.valueLength = std::uint32_t(value.size());
    }
    lines_.push_back(entry);
    indexLine(std::uint32_t(lines_.size() - 1));
}

std::uint32_t TbsSkinIni::append(std::string_view text)
{
    if (storage_.size() + text.size() >= kNone || lines_.size() >= kNone - 1 || sections_.size() >= kNone - 1)
        throw std::length_error("skin INI text too large");
    const auto at = std::uint32_t(storage_.size());
    storage_.append(text);
    return at;
}

std::string_view TbsSkinIni::sectionName(std::uint32_t id) const
{
    return std::string_view(storage_).substr(sections_[id].at, sections_[id].length);
}

std::string_view TbsSkinIni::keyOf(const Line& line) const
{
    return line.keyLength == kNone ? std::string_view() : std::string_view(storage_).substr(line.at, line.keyLength);
}

std::string_view TbsSkinIni::valueOf(const Line& line) const
{
    const std::size_t at = line.at + (line.keyLength == kNone ? 0 : line.keyLength);
    return std::string_view(storage_).substr(at, line.valueLength);
}

std::uint32_t TbsSkinIni::findSection(std::string_view section) const
{
    return tableFind(sectionIndex_.cells, hashNoCase(section, 0),
                     [&](std::uint32_t id) { return equalsNoCase(sectionName(id), section); });
}

std::uint32_t TbsSkinIni::addSection(std::string_view section)
{
    const std::string copy(section); // the name may lie in storage_ itself
    Section s{0, std::uint32_t(copy.size())};
    s.at = append(copy);
    sections_.push_back(s);
    indexSection(std::uint32_t(sections_.size() - 1));
    return std::uint32_t(sections_.size() - 1);
}

std::uint32_t TbsSkinIni::findKey(std::uint32_t section, std::string_view key) const
{
    return tableFind(keyIndex_.cells, hashNoCase(key, section + 1ull), [&](std::uint32_t id) {
        return lines_[id].section == section && equalsNoCase(keyOf(lines_[id]), key);
    });
}

void TbsSkinIni::indexSection(std::uint32_t id)
{
    tableInsert(sectionIndex_.cells, sectionIndex_.used, id, hashNoCase(sectionName(id), 0),
                [this](std::uint32_t other) { return hashNoCase(sectionName(other), 0); });
}

void TbsSkinIni::indexLine(std::uint32_t id)
{
    const Line& line = lines_[id];
    if (line.keyLength == kNone || line.section == kNone || findKey(line.section, keyOf(line)) != kNone)
        return; // a line without key is never found; of a repeated key the first line counts
    tableInsert(keyIndex_.cells, keyIndex_.used, id, hashNoCase(keyOf(line), line.section + 1ull),
                [this](std::uint32_t other) { return hashNoCase(keyOf(lines_[other]), lines_[other].section + 1ull); });
}

void TbsSkinIni::reindex()
{
    sectionIndex_ = Table{};
    keyIndex_ = Table{};
    for (std::uint32_t id = 0; id < sections_.size(); ++id)
        if (sections_[id].at != kNone)
            indexSection(id);
    for (std::uint32_t id = 0; id < lines_.size(); ++id)
        indexLine(id);
}

bool TbsSkinIni::sectionExists(std::string_view section) const { return findSection(section) != kNone; }

std::optional<std::string_view> TbsSkinIni::value(std::string_view section, std::string_view key) const
{
    const std::uint32_t s = findSection(section);
    if (s == kNone)
        return std::nullopt;
    const std::uint32_t line = findKey(s, key);
    if (line == kNone)
        return std::nullopt;
    return valueOf(lines_[line]);
}

std::vector<std::pair<int, std::string_view>> TbsSkinIni::numberedValues(std::string_view section, int count) const
{
    std::vector<std::pair<int, std::string_view>> out;
    const std::uint32_t s = findSection(section);
    if (s == kNone || count <= 0)
        return out;
    for (std::uint32_t id = 0; id < lines_.size(); ++id) {
        const Line& line = lines_[id];
        if (line.section != s || line.keyLength == kNone)
            continue;
        const std::optional<std::int64_t> n = plainNumber(keyOf(line));
        if (n && *n < count && findKey(s, keyOf(line)) == id)
            out.emplace_back(int(*n), valueOf(line));
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return out;
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

TbsSkinText TbsSkinIni::readText(std::string_view section, std::string_view key, const char* def) const
{
    const std::uint32_t s = findSection(section);
    const std::uint32_t line = s == kNone ? kNone : findKey(s, key);
    if (line == kNone)
        return TbsSkinText(def);
    const std::string_view value = valueOf(lines_[line]);
    if (value.size() < 16)
        return TbsSkinText(value); // kept in place, no allocation
    auto& shared = sharedTexts_[line];
    if (!shared)
        shared = std::make_shared<const std::string>(value);
    return TbsSkinText(shared);
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
    const std::uint32_t s = findSection(section);
    if (s == kNone)
        return;
    sections_[s].at = kNone;
    for (Line& line : lines_)
        if (line.section == s)
            line.section = kNone;
    reindex();
}

void TbsSkinIni::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    // Copies first: key and value may lie in storage_, which the appends move.
    const std::string keyCopy(key), valueCopy(value);
    std::uint32_t s = findSection(section);
    if (s == kNone)
        s = addSection(section);
    const std::uint32_t existing = findKey(s, keyCopy);
    if (existing != kNone) {
        const std::string oldKey(keyOf(lines_[existing]));
        const std::uint32_t at = append(oldKey);
        append(valueCopy);
        lines_[existing].at = at;
        lines_[existing].valueLength = std::uint32_t(valueCopy.size());
        sharedTexts_.erase(existing); // texts already handed out keep the old value
        return;
    }
    Line line{s, 0, std::uint32_t(keyCopy.size()), std::uint32_t(valueCopy.size())};
    line.at = append(keyCopy);
    append(valueCopy);
    lines_.push_back(line);
    indexLine(std::uint32_t(lines_.size() - 1));
}

std::vector<std::string> TbsSkinIni::lines() const
{
    std::vector<std::vector<std::uint32_t>> bySection(sections_.size());
    for (std::uint32_t id = 0; id < lines_.size(); ++id)
        if (lines_[id].section != kNone)
            bySection[lines_[id].section].push_back(id);
    std::vector<std::string> out;
    for (std::uint32_t s = 0; s < sections_.size(); ++s) {
        if (sections_[s].at == kNone)
            continue;
        out.push_back("[" + std::string(sectionName(s)) + "]");
        for (std::uint32_t id : bySection[s]) {
            const Line& line = lines_[id];
            out.push_back(line.keyLength == kNone ? std::string(valueOf(line))
                                                  : std::string(keyOf(line)) + "=" + std::string(valueOf(line)));
        }
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
