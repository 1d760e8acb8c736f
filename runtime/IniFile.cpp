#include "IniFile.h"

#include "Exception.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace {

struct Line {
    std::string text;  // without its line ending
    std::string eol;   // "\r\n", "\n", "\r" or "" for a last line without one
};

struct Document {
    std::vector<Line> lines;
    std::string newline = "\n";
};

// The file's bytes: empty when there is no file; nothing when something is there that cannot
// be read (a directory, a file without read permission). The stream library reports a failed
// read as std::ios_failure, which must not reach callers that expect the INI errors.
std::optional<std::string> readBytes(const std::string& fileName)
{
    std::error_code error;
    const auto status = std::filesystem::status(fileName, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::string();
    if (std::filesystem::is_directory(status))
        return std::nullopt;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    try {
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad())
            return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

Document parse(const std::string& bytes)
{
    Document doc;
    bool newlineKnown = false;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        Line line;
        if (end == std::string::npos) {
            line.text = bytes.substr(start);
            start = bytes.size();
        } else {
            line.text = bytes.substr(start, end - start);
            const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
            line.eol = crlf ? "\r\n" : std::string(1, bytes[end]);
            start = end + line.eol.size();
            if (!newlineKnown) {
                doc.newline = line.eol;
                newlineKnown = true;
            }
        }
        doc.lines.push_back(std::move(line));
    }
    return doc;
}

// For reading, a file that cannot be read reads like a missing one, as the profile functions
// do: every value takes its default.
Document load(const std::string& fileName)
{
    return parse(readBytes(fileName).value_or(std::string()));
}

// For writing, it is refused: rewriting the file would drop whatever it holds unseen.
Document loadForWriting(const std::string& fileName)
{
    const auto bytes = readBytes(fileName);
    if (!bytes)
        throw EIniFileException(formatMessage(Msg::UnableToWrite, fileName));
    return parse(*bytes);
}

std::string trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// ASCII case folding that leaves the second byte of a Big5 character alone: trail bytes
// include 0x40-0x7E, which would otherwise be taken for letters.
std::string foldCase(const std::string& s)
{
    std::string out = s;
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 0x81 && c <= 0xFE) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && foldCase(a) == foldCase(b);
}

std::optional<std::string> sectionHeader(const Line& line)
{
    const std::string t = trim(line.text);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const size_t close = t.find(']');
    return trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

struct KeyValue {
    std::string key;
    std::string value;
};

std::optional<KeyValue> keyValue(const Line& line)
{
    const std::string t = trim(line.text);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const size_t eq = t.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    KeyValue kv{trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
    const std::string& v = kv.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        kv.value = v.substr(1, v.size() - 2);
    return kv;
}

// The line range [begin, end) of a section's body (after its header), the first section of
// that name only.
struct SectionRange {
    size_t header;
    size_t begin;
    size_t end;
};

std::optional<SectionRange> findSection(const Document& doc, const std::string& section)
{
    for (size_t i = 0; i < doc.lines.size(); ++i) {
        const auto name = sectionHeader(doc.lines[i]);
        if (!name || !sameName(*name, section))
            continue;
        size_t end = i + 1;
        while (end < doc.lines.size() && !sectionHeader(doc.lines[end]))
            ++end;
        return SectionRange{i, i + 1, end};
    }
    return std::nullopt;
}

std::optional<size_t> findKey(const Document& doc, const SectionRange& range, const std::string& key)
{
    for (size_t i = range.begin; i < range.end; ++i) {
        const auto kv = keyValue(doc.lines[i]);
        if (kv && sameName(kv->key, key))
            return i;
    }
    return std::nullopt;
}

void save(const std::string& fileName, const Document& doc)
{
    std::string bytes;
    for (const Line& line : doc.lines)
        bytes += line.text + line.eol;
    QSaveFile file(QString::fromLocal8Bit(fileName));
    // Where the directory cannot take a temporary file, write the file in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !file.commit())
        throw EIniFileException(formatMessage(Msg::UnableToWrite, fileName));
}

bool hasLineBreak(const std::string& s)
{
    return s.find_first_of("\r\n") != std::string::npos;
}

}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::readString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const
{
    const Document doc = load(fileName_);
    const auto range = findSection(doc, section);
    if (!range)
        return defaultValue;
    const auto line = findKey(doc, *range, key);
    if (!line)
        return defaultValue;
    return keyValue(doc.lines[*line])->value;
}

int TIniFile::readInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const std::string text = readString(section, key, std::string());
    if (text.empty())
        return defaultValue;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const QByteArray bytes = QByteArray::fromStdString(hex ? text.substr(2) : text);
    bool ok = false;
    const int value = bytes.toInt(&ok, hex ? 16 : 10);
    return ok ? value : defaultValue;
}

bool TIniFile::sectionExists(const std::string& section) const
{
    return findSection(load(fileName_), section).has_value();
}

bool TIniFile::valueExists(const std::string& section, const std::string& key) const
{
    const Document doc = load(fileName_);
    const auto range = findSection(doc, section);
    return range && findKey(doc, *range, key);
}

std::vector<std::string> TIniFile::readSections() const
{
    const Document doc = load(fileName_);
    std::vector<std::string> names;
    for (const Line& line : doc.lines) {
        const auto name = sectionHeader(line);
        if (name && std::none_of(names.begin(), names.end(),
                                 [&](const std::string& n) { return sameName(n, *name); }))
            names.push_back(*name);
    }
    return names;
}

std::vector<std::string> TIniFile::readSection(const std::string& section) const
{
    std::vector<std::string> keys;
    for (auto& [key, value] : readSectionValues(section))
        keys.push_back(key);
    return keys;
}

std::vector<std::pair<std::string, std::string>> TIniFile::readSectionValues(const std::string& section) const
{
    const Document doc = load(fileName_);
    std::vector<std::pair<std::string, std::string>> values;
    const auto range = findSection(doc, section);
    if (!range)
        return values;
    for (size_t i = range->begin; i < range->end; ++i) {
        auto kv = keyValue(doc.lines[i]);
        if (!kv || kv->key.empty())
            continue;
        const bool seen = std::any_of(values.begin(), values.end(),
                                      [&](const auto& p) { return sameName(p.first, kv->key); });
        if (!seen)
            values.emplace_back(std::move(kv->key), std::move(kv->value));
    }
    return values;
}

void TIniFile::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string sectionName = trim(section);
    const std::string keyName = trim(key);
    if (sectionName.empty() || keyName.empty() || hasLineBreak(section) || hasLineBreak(key)
        || hasLineBreak(value) || section.find(']') != std::string::npos
        || key.find('=') != std::string::npos || keyName.front() == ';' || keyName.front() == '[')
        throw EIniFileException(formatMessage(Msg::UnableToWrite, fileName_));

    Document doc = loadForWriting(fileName_);
    const Line entry{keyName + "=" + value, doc.newline};
    // A last line without its line ending gets one before anything follows it.
    auto terminate = [&](size_t index) {
        if (index < doc.lines.size() && doc.lines[index].eol.empty())
            doc.lines[index].eol = doc.newline;
    };

    if (const auto range = findSection(doc, sectionName)) {
        if (const auto line = findKey(doc, *range, keyName)) {
            const std::string eol = doc.lines[*line].eol;
            doc.lines[*line] = entry;
            doc.lines[*line].eol = eol;
        } else {
            // After the section's last key (comments and blank lines that follow stay after it).
            size_t after = range->header;
            for (size_t i = range->begin; i < range->end; ++i)
                if (keyValue(doc.lines[i]))
                    after = i;
            terminate(after);
            doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(after + 1), entry);
        }
    } else {
        if (!doc.lines.empty()) {
            terminate(doc.lines.size() - 1);
            if (!trim(doc.lines.back().text).empty())
                doc.lines.push_back({"", doc.newline});
        }
        doc.lines.push_back({"[" + sectionName + "]", doc.newline});
        doc.lines.push_back(entry);
    }
    save(fileName_, doc);
}

void TIniFile::writeInteger(const std::string& section, const std::string& key, int value)
{
    writeString(section, key, std::to_string(value));
}

void TIniFile::deleteKey(const std::string& section, const std::string& key)
{
    Document doc = loadForWriting(fileName_);
    const auto range = findSection(doc, section);
    if (!range)
        return;
    const auto line = findKey(doc, *range, key);
    if (!line)
        return;
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(*line));
    save(fileName_, doc);
}

void TIniFile::eraseSection(const std::string& section)
{
    Document doc = loadForWriting(fileName_);
    const auto range = findSection(doc, section);
    if (!range)
        return;
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                    doc.lines.begin() + static_cast<std::ptrdiff_t>(range->end));
    save(fileName_, doc);
}
