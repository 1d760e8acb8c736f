#pragma once
// INI files read like the system's profile functions and written key by key.
//
// Reading: the file is read afresh on every call (no cache), so writes by anyone are seen
// at once. Section and key names match without regard to ASCII case (the trail bytes of
// Big5 characters are never folded). Keys and values are trimmed of blanks and tabs; a
// value wrapped in a pair of matching quotes (' or ") loses them. Lines starting with ';'
// are comments; lines without '=' inside a section are ignored. When a section or a
// key appears twice, the first one counts. A missing file reads as empty.
//
// Writing: writeString changes only the line of that key (or adds the key at the end of its
// section, or the section at the end of the file, or creates the file); every other line,
// comment, blank line and the order of everything are kept byte for byte, and so is the
// file's line ending (CR LF or LF; a new file gets LF). The file is replaced atomically.
// A failure raises EIniFileException "Unable to write to <path>"; so does a section, key or
// value that cannot be written as one line (a line break, "=" in a key, "]" in a section).
//
// Texts are bytes in the system code page (CP950) and are kept as bytes.

#include <string>
#include <utility>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    const std::string& fileName() const noexcept { return fileName_; }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Integer values as the profile functions read them: decimal or 0x hexadecimal;
    // anything else gives the default.
    int readInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool sectionExists(const std::string& section) const;
    bool valueExists(const std::string& section, const std::string& key) const;
    // The section names, in file order.
    std::vector<std::string> readSections() const;
    // The key names of a section, in file order (empty when the section is missing).
    std::vector<std::string> readSection(const std::string& section) const;
    // The key and value pairs of a section, in file order.
    std::vector<std::pair<std::string, std::string>> readSectionValues(const std::string& section) const;

    // Sets one key, creating the file, the section or the key as needed.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    // Removes one key line, or a whole section; a missing file, section or key is no error.
    void deleteKey(const std::string& section, const std::string& key);
    void eraseSection(const std::string& section);

private:
    std::string fileName_;
};
