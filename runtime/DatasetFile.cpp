#include "DatasetFile.h"

#include "Exception.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <set>
#include <strings.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DatasetFile {

namespace {

// Byte layout: docs/dataset-file-format.md. Keep the two in step.
constexpr char kMagic[8] = {'C', 'P', 'D', 'S', '\r', '\n', '\x1a', '\n'};
constexpr uint16_t kVersion = 1;

// Limits that a sane file never reaches; they keep a corrupt count from driving a huge
// allocation or loop before the reader notices that the bytes are not there.
constexpr uint32_t kMaxFields = 4096;
constexpr uint16_t kMaxNameBytes = 1024;
constexpr uint32_t kMaxFieldSize = 0x7fffffff;
constexpr uint64_t kMaxFileBytes = uint64_t(1) << 31;
// A null costs one bit in the file but a whole value in memory; this bounds what a small file
// of null rows can make the reader allocate.
constexpr uint64_t kMaxValues = uint64_t(1) << 24;

enum TypeCode : uint8_t {
    CodeString = 1,
    CodeInteger = 2,
    CodeLargeInt = 3,
    CodeFloat = 4,
    CodeDate = 5,
    CodeDateTime = 6,
    CodeMemo = 7,
    CodeBlob = 8,
};

constexpr uint8_t kFlagRequired = 0x01;

uint8_t typeCode(FieldType type)
{
    switch (type) {
    case FieldType::String: return CodeString;
    case FieldType::Integer: return CodeInteger;
    case FieldType::LargeInt: return CodeLargeInt;
    case FieldType::Float: return CodeFloat;
    case FieldType::Date: return CodeDate;
    case FieldType::DateTime: return CodeDateTime;
    case FieldType::Memo: return CodeMemo;
    case FieldType::Blob: return CodeBlob;
    }
    return 0;
}

bool typeFromCode(uint8_t code, FieldType& type)
{
    switch (code) {
    case CodeString: type = FieldType::String; return true;
    case CodeInteger: type = FieldType::Integer; return true;
    case CodeLargeInt: type = FieldType::LargeInt; return true;
    case CodeFloat: type = FieldType::Float; return true;
    case CodeDate: type = FieldType::Date; return true;
    case CodeDateTime: type = FieldType::DateTime; return true;
    case CodeMemo: type = FieldType::Memo; return true;
    case CodeBlob: type = FieldType::Blob; return true;
    }
    return false;
}

enum class Storage { Bytes, Int64, Double };

Storage storageOf(FieldType type)
{
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob: return Storage::Bytes;
    case FieldType::Integer:
    case FieldType::LargeInt: return Storage::Int64;
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::DateTime: return Storage::Double;
    }
    return Storage::Bytes;
}

class Writer {
public:
    void bytes(const void* data, size_t size) { out_.append(static_cast<const char*>(data), size); }
    void u8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void u16(uint16_t v) { unsigned_le(v, 2); }
    void u32(uint32_t v) { unsigned_le(v, 4); }
    void u64(uint64_t v) { unsigned_le(v, 8); }
    std::string take() { return std::move(out_); }

private:
    void unsigned_le(uint64_t v, int size)
    {
        for (int i = 0; i < size; ++i)
            out_.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    }
    std::string out_;
};

class Reader {
public:
    Reader(const std::string& data, const std::string& source) : data_(data), source_(source) {}

    size_t remaining() const { return data_.size() - pos_; }

    [[noreturn]] void fail(const std::string& problem) const
    {
        throw EReadError("Dataset file \"" + source_ + "\" is not valid: " + problem + " (at byte " +
                         std::to_string(pos_) + ")");
    }

    void need(uint64_t size, const char* what) const
    {
        if (size > remaining())
            fail(std::string("the file is cut short in ") + what);
    }

    uint64_t unsignedLe(int size, const char* what)
    {
        need(size, what);
        uint64_t v = 0;
        for (int i = 0; i < size; ++i)
            v |= uint64_t(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
        pos_ += size;
        return v;
    }
    uint8_t u8(const char* what) { return static_cast<uint8_t>(unsignedLe(1, what)); }
    uint16_t u16(const char* what) { return static_cast<uint16_t>(unsignedLe(2, what)); }
    uint32_t u32(const char* what) { return static_cast<uint32_t>(unsignedLe(4, what)); }
    uint64_t u64(const char* what) { return unsignedLe(8, what); }

    std::string bytes(uint64_t size, const char* what)
    {
        need(size, what);
        std::string out = data_.substr(pos_, size);
        pos_ += size;
        return out;
    }

private:
    const std::string& data_;
    const std::string& source_;
    size_t pos_ = 0;
};

std::string absolutePath(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

// File names are matched without regard to letter case on the system the files come from
// ("Tarnvik.dat" and "Tarnvik.Dat" name one file). When the exact name does not exist, the
// directory is searched for the one entry whose name differs only in ASCII case.
std::string caseInsensitiveMatch(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path wanted(path);
    fs::path dir = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    std::string name = wanted.filename().string();
    std::set<std::string> matches;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (strcasecmp(candidate.c_str(), name.c_str()) == 0)
            matches.insert(it->path().string());
    }
    // Several spellings of one name: take the first in byte order, so the choice is stable.
    return matches.empty() ? std::string() : *matches.begin();
}

std::string readWholeFile(const std::string& path)
{
    auto openFailed = [&](int error) {
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, absolutePath(path), std::strerror(error)));
    };
    std::string actual = path;
    int fd = ::open(actual.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        std::string other = caseInsensitiveMatch(path);
        if (!other.empty()) {
            actual = other;
            fd = ::open(actual.c_str(), O_RDONLY | O_CLOEXEC);
        } else {
            errno = ENOENT;
        }
    }
    if (fd < 0)
        openFailed(errno);

    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        openFailed(error);
    }

    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            throw EReadError("Dataset file \"" + absolutePath(path) + "\" could not be read: " + std::strerror(error));
        }
        if (got == 0)
            break;
        if (data.size() + size_t(got) > kMaxFileBytes) {
            ::close(fd);
            throw EReadError("Dataset file \"" + absolutePath(path) + "\" is not valid: the file is too large");
        }
        data.append(buffer, size_t(got));
    }
    ::close(fd);
    return data;
}

void writeValue(Writer& out, const FieldDesc& field, const Variant& value)
{
    switch (storageOf(field.type)) {
    case Storage::Bytes: {
        std::string text = value.asString();
        if (text.size() > 0xffffffffu)
            throw EConvertError("Value of field '" + field.name + "' is too long to be saved");
        out.u32(static_cast<uint32_t>(text.size()));
        out.bytes(text.data(), text.size());
        break;
    }
    case Storage::Int64:
        out.u64(static_cast<uint64_t>(value.asInteger()));
        break;
    case Storage::Double: {
        double number = value.asDouble();
        uint64_t bits;
        std::memcpy(&bits, &number, sizeof bits);
        out.u64(bits);
        break;
    }
    }
}

Variant readValue(Reader& in, const FieldDesc& field)
{
    switch (storageOf(field.type)) {
    case Storage::Bytes: {
        uint32_t length = in.u32("a value's length");
        return Variant(in.bytes(length, "a text value"));
    }
    case Storage::Int64:
        return Variant(static_cast<int64_t>(in.u64("an integer value")));
    case Storage::Double: {
        uint64_t bits = in.u64("a number value");
        double number;
        std::memcpy(&number, &bits, sizeof number);
        return Variant(number);
    }
    }
    return Variant();
}

}

std::string serialize(const DataPacket& packet)
{
    if (packet.fields.size() > kMaxFields)
        throw EConvertError("A dataset file holds at most " + std::to_string(kMaxFields) + " fields");
    Writer out;
    out.bytes(kMagic, sizeof kMagic);
    out.u16(kVersion);
    out.u16(0);
    out.u32(static_cast<uint32_t>(packet.fields.size()));
    if (packet.rows.size() > 0xffffffffu)
        throw EConvertError("A dataset file holds at most 4294967295 rows");
    out.u32(static_cast<uint32_t>(packet.rows.size()));
    if (uint64_t(packet.rows.size()) * packet.fields.size() > kMaxValues)
        throw EConvertError("A dataset file holds at most " + std::to_string(kMaxValues) + " values");

    for (const FieldDesc& field : packet.fields) {
        if (field.name.empty() || field.name.size() > kMaxNameBytes)
            throw EConvertError("Field name '" + field.name + "' cannot be saved");
        if (field.size < 0)
            throw EConvertError("Field '" + field.name + "' has a negative size");
        out.u16(static_cast<uint16_t>(field.name.size()));
        out.bytes(field.name.data(), field.name.size());
        out.u8(typeCode(field.type));
        out.u8(field.required ? kFlagRequired : 0);
        out.u32(static_cast<uint32_t>(field.size));
    }

    const size_t fieldCount = packet.fields.size();
    const size_t bitmapBytes = (fieldCount + 7) / 8;
    for (const DataRow& row : packet.rows) {
        std::string bitmap(bitmapBytes, '\0');
        for (size_t i = 0; i < fieldCount; ++i)
            if (i >= row.size() || row[i].isNull())
                bitmap[i / 8] = static_cast<char>(bitmap[i / 8] | (1 << (i % 8)));
        out.bytes(bitmap.data(), bitmap.size());
        for (size_t i = 0; i < fieldCount && i < row.size(); ++i)
            if (!row[i].isNull())
                writeValue(out, packet.fields[i], row[i]);
    }
    return out.take();
}

DataPacket parse(const std::string& bytes, const std::string& source)
{
    Reader in(bytes, source);
    if (in.remaining() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        in.fail("it does not start with the dataset file signature");
    in.bytes(sizeof kMagic, "the signature");
    uint16_t version = in.u16("the header");
    if (version != kVersion)
        in.fail("format version " + std::to_string(version) + " is not supported");
    if (in.u16("the header") != 0)
        in.fail("unknown header flags");
    uint32_t fieldCount = in.u32("the header");
    if (fieldCount > kMaxFields)
        in.fail("the field count " + std::to_string(fieldCount) + " is too large");
    uint32_t rowCount = in.u32("the header");
    if (fieldCount == 0 && rowCount != 0)
        in.fail("rows without fields");
    if (uint64_t(rowCount) * fieldCount > kMaxValues)
        in.fail(std::to_string(rowCount) + " rows of " + std::to_string(fieldCount) + " fields are too many values");

    DataPacket packet;
    packet.fields.reserve(fieldCount); // bounded by kMaxFields
    std::set<std::string> names;
    for (uint32_t i = 0; i < fieldCount; ++i) {
        uint16_t nameLength = in.u16("a field definition");
        if (nameLength == 0 || nameLength > kMaxNameBytes)
            in.fail("field " + std::to_string(i + 1) + " has a name of " + std::to_string(nameLength) + " bytes");
        FieldDesc field;
        field.name = in.bytes(nameLength, "a field name");
        if (field.name.find('\0') != std::string::npos)
            in.fail("field " + std::to_string(i + 1) + " has a NUL byte in its name");
        uint8_t code = in.u8("a field definition");
        if (!typeFromCode(code, field.type))
            in.fail("field '" + field.name + "' has the unknown type code " + std::to_string(code));
        uint8_t flags = in.u8("a field definition");
        if (flags & ~kFlagRequired)
            in.fail("field '" + field.name + "' has unknown flags");
        field.required = (flags & kFlagRequired) != 0;
        uint32_t size = in.u32("a field definition");
        if (size > kMaxFieldSize)
            in.fail("field '" + field.name + "' has the size " + std::to_string(size));
        field.size = static_cast<int>(size);
        if (!names.insert(field.name).second)
            in.fail("the field name '" + field.name + "' appears twice");
        packet.fields.push_back(std::move(field));
    }

    const size_t bitmapBytes = (fieldCount + 7) / 8;
    // Every row takes at least its null map, so the count cannot exceed what the bytes hold.
    if (fieldCount > 0 && uint64_t(rowCount) * bitmapBytes > in.remaining())
        in.fail("the file is cut short: " + std::to_string(rowCount) + " rows announced");
    const unsigned char unusedBits =
        fieldCount % 8 == 0 ? 0 : static_cast<unsigned char>(0xff << (fieldCount % 8));

    for (uint32_t r = 0; r < rowCount; ++r) {
        std::string bitmap = in.bytes(bitmapBytes, "a row's null map");
        if (bitmapBytes > 0 && (static_cast<unsigned char>(bitmap.back()) & unusedBits) != 0)
            in.fail("row " + std::to_string(r + 1) + " has a bad null map");
        DataRow row(fieldCount);
        for (uint32_t i = 0; i < fieldCount; ++i) {
            bool isNull = (static_cast<unsigned char>(bitmap[i / 8]) >> (i % 8)) & 1;
            if (!isNull)
                row[i] = readValue(in, packet.fields[i]);
        }
        packet.rows.push_back(std::move(row));
    }
    if (in.remaining() != 0)
        in.fail("unexpected data after the last row");
    return packet;
}

void save(const std::string& path, const DataPacket& packet)
{
    // Everything is encoded first: a value that cannot be written leaves the old file alone.
    const std::string data = serialize(packet);
    auto createFailed = [&](int error) {
        throw EFCreateError(formatMessage(Msg::CannotCreateFile, absolutePath(path), std::strerror(error)));
    };
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        createFailed(errno);
    size_t written = 0;
    while (written < data.size()) {
        ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int error = n < 0 ? errno : EIO;
            ::close(fd);
            // A half-written file would be read back as corrupt; better none at all.
            ::unlink(path.c_str());
            createFailed(error);
        }
        written += size_t(n);
    }
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(path.c_str());
        createFailed(error);
    }
}

DataPacket load(const std::string& path)
{
    return parse(readWholeFile(path), absolutePath(path));
}

}
